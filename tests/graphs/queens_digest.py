#!/usr/bin/env python3
"""Line count, byte count and FNV-1a digest of every n-queens placement,
found independently of the program: a bitmask search over rows, columns
tried in ascending order, so placements come out in the same lexicographic
order. Usage: queens_digest.py N"""
import sys

FNV_OFFSET, FNV_PRIME, MASK = 0xCBF29CE484222325, 0x100000001B3, (1 << 64) - 1


def placements(n):
    full = (1 << n) - 1
    cols = [0] * n

    def place(row, taken, down, up):
        if row == n:
            yield cols
            return
        free = full & ~(taken | down | up)
        for c in range(n):  # ascending columns: lexicographic order
            bit = 1 << c
            if free & bit:
                cols[row] = c + 1
                yield from place(row + 1, taken | bit, ((down | bit) << 1) & full, (up | bit) >> 1)

    yield from place(0, 0, 0, 0)


def main():
    n = int(sys.argv[1])
    digest, lines, size = FNV_OFFSET, 0, 0
    for cols in placements(n):
        line = (" ".join(map(str, cols)) + "\n").encode()
        for byte in line:
            digest = ((digest ^ byte) * FNV_PRIME) & MASK
        lines += 1
        size += len(line)
    print(f"{lines} lines, {size} bytes, fnv1a64 0x{digest:016x}")


main()
