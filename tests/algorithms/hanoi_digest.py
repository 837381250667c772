#!/usr/bin/env python3
"""Line count, byte count and FNV-1a digest of the Tower of Hanoi line for n
disks from peg 1 to peg 3, found independently of the program's recursion:
the iterative rule (odd moves carry the smallest disk one peg round the
cycle, 1 3 2 for odd n and 1 2 3 for even n; even moves make the one legal
move between the other two pegs), checked by simulating the pegs.
Usage: hanoi_digest.py N"""
import sys

FNV_OFFSET, FNV_PRIME, MASK = 0xCBF29CE484222325, 0x100000001B3, (1 << 64) - 1


def moves(n):
    pegs = {1: list(range(n, 0, -1)), 2: [], 3: []}
    cycle = [1, 3, 2] if n % 2 else [1, 2, 3]
    small = 0  # index in cycle of the peg holding disk 1
    for k in range(1, 2**n):
        if k % 2:
            src, dst = cycle[small], cycle[(small + 1) % 3]
            small = (small + 1) % 3
        else:
            a, b = [p for p in (1, 2, 3) if p != cycle[small]]
            if not pegs[a] or (pegs[b] and pegs[b][-1] < pegs[a][-1]):
                a, b = b, a
            src, dst = a, b
        disk = pegs[src].pop()
        assert not pegs[dst] or pegs[dst][-1] > disk
        pegs[dst].append(disk)
        yield src, dst
    assert pegs[3] == list(range(n, 0, -1))


def main():
    n = int(sys.argv[1])
    digest, size = FNV_OFFSET, 0
    text = bytearray()
    for src, dst in moves(n):
        text += f"{src} {dst}, ".encode()
    text += b"\n"
    for byte in text:
        digest = ((digest ^ byte) * FNV_PRIME) & MASK
    print(f"{text.count(10)} lines, {len(text)} bytes, fnv1a64 0x{digest:016x}")


main()
