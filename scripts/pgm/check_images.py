#!/usr/bin/env python3
"""Checks the two image programs' output with a real greymap reader (netpbm).

  check_images.py render RENDERER
      Runs the renderer and checks the image's known facts: 106735 bytes, the
      header, the first eleven values, the count of each value, a space at the
      end of every row. Then netpbm must read it as a 192 x 192 plain greymap
      and give back the same values.

  check_images.py rotate ROTATOR PHOTO
      Rotates the plain greymap PHOTO by several angles, reads each result
      back with netpbm, and compares it with the independent model in
      tests/numeric/reference.py (angle 0 must give back the photo itself).

Exits non-zero on the first failed check, with a message saying which.
"""
import collections
import importlib.util
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]


def fail(message):
    sys.exit(f"check_images: {message}")


def read_with_netpbm(data, what):
    """(width, height, values) as netpbm reads the greymap `data`."""
    info = subprocess.run(["pamfile"], input=data, capture_output=True, check=False)
    if info.returncode != 0:
        fail(f"{what}: pamfile cannot read it: {info.stderr.decode().strip()}")
    words = info.stdout.decode().split()
    if "PGM" not in words or "plain," not in words:
        fail(f"{what}: pamfile sees {info.stdout.decode().strip()!r}, not a plain greymap")
    plain = subprocess.run(["pnmtoplainpnm"], input=data, capture_output=True, check=False)
    if plain.returncode != 0:
        fail(f"{what}: pnmtoplainpnm failed: {plain.stderr.decode().strip()}")
    tokens = plain.stdout.decode().split()
    if tokens[0] != "P2":
        fail(f"{what}: netpbm wrote {tokens[0]}, expected P2")
    width, height, maxval = (int(t) for t in tokens[1:4])
    if maxval != 255:
        fail(f"{what}: maximum {maxval}, expected 255")
    return width, height, [int(t) for t in tokens[4:]]


def run(program, stdin=b""):
    result = subprocess.run([program], input=stdin, capture_output=True, check=False, timeout=300)
    if result.returncode != 0:
        fail(f"{program} exited with {result.returncode}: {result.stderr.decode().strip()}")
    return result.stdout


def check_render(renderer):
    image = run(renderer)
    if len(image) != 106735:
        fail(f"render: {len(image)} bytes, expected 106735")
    lines = image.decode().split("\n")
    if lines[:2] != ["P2", "192 192 255"] or lines[-1] != "":
        fail("render: header or final newline wrong")
    rows = lines[2:-1]
    if len(rows) != 192 or not all(row.endswith(" ") for row in rows):
        fail("render: expected 192 rows, each ending with a space")
    values = [int(v) for row in rows for v in row.split()]
    if values[:11] != [0, 31, 0, 0, 31, 0, 31, 63, 31, 31, 31]:
        fail(f"render: first values {values[:11]}")
    expected = {0: 7463, 31: 13130, 63: 9839, 95: 3033, 127: 1245, 159: 584, 191: 263,
                223: 110, 255: 1197}
    counts = dict(collections.Counter(values))
    if counts != expected:
        fail(f"render: value counts {sorted(counts.items())}")
    width, height, read = read_with_netpbm(image, "render")
    if (width, height) != (192, 192) or read != values:
        fail("render: netpbm reads other dimensions or values")
    print("render: 106735 bytes, facts hold, netpbm reads 192 x 192")


def load_reference():
    loader_spec = importlib.util.spec_from_file_location("reference", ROOT / "tests/numeric/reference.py")
    module = importlib.util.module_from_spec(loader_spec)
    loader_spec.loader.exec_module(module)
    return module


def check_rotate(rotator, photo_path):
    reference = load_reference()
    photo = pathlib.Path(photo_path).read_bytes()
    width, height, pixels = read_with_netpbm(photo, "photo")
    for angle in ["0.0", "0.5", "1.5707964", "-2.0", "3.1415927", "100.0"]:
        stdin = angle.encode() + b"\n" + photo
        rotated = run(rotator, stdin)
        w, h, values = read_with_netpbm(rotated, f"rotate {angle}")
        if (w, h) != (width, height):
            fail(f"rotate {angle}: netpbm reads {w} x {h}, expected {width} x {height}")
        model = reference.image_rotate(reference.Input(stdin.decode()))
        if rotated.decode() != model:
            fail(f"rotate {angle}: output differs from the model")
        if angle == "0.0" and values != pixels:
            fail("rotate 0.0: the photo does not come back unchanged")
        print(f"rotate {angle}: netpbm reads {w} x {h}, matches the model")


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "render":
        check_render(sys.argv[2])
    elif len(sys.argv) == 4 and sys.argv[1] == "rotate":
        check_rotate(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
