"""Writes the input of the image_rotate row: an angle of 0.5 and a 1024 x 1024
greymap of values 0 to 255 from a fixed seed."""
import random
import sys

rng = random.Random(2026)
side = 1024
lines = ["0.5", "P2", f"{side} {side}", "255"]
for _ in range(side):
    lines.append(" ".join(str(rng.randrange(256)) for _ in range(side)))
with open(sys.argv[1], "w") as out:
    out.write("\n".join(lines) + "\n")
