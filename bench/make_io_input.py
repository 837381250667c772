"""Writes the input of io_echo: 200000 integers and 100000 floats, from a fixed seed."""
import random
import struct
import sys

rng = random.Random(2026)
lines = ["200000"]
for _ in range(200000):
    lines.append(str(rng.randint(-2**31, 2**31 - 1) >> rng.randint(0, 30)))
for i in range(100000):
    if i % 4 == 3:
        bits = rng.getrandbits(32) & 0x7F7FFFFF  # finite
        lines.append(float.hex(struct.unpack("<f", struct.pack("<I", bits))[0]))
    else:
        lines.append("%.9g" % (rng.randint(-10**6, 10**6) / 448.0))
with open(sys.argv[1], "w") as out:
    out.write("\n".join(lines) + "\n")
