#!/usr/bin/env python3
"""octets-entrees.py N: N input lines for tests/octets, the same on every
run: doubles of every exponent by their bits (powers of ten and their
neighbours, random significands, subnormals, specials) and command-line
numbers (long digit runs, halfway decimals, exponents near the limits)."""
import random
import struct
import sys

n = int(sys.argv[1])
r = random.Random(330)


def bits(x):
    return "x%016X" % struct.unpack("<Q", struct.pack("<d", x))[0]


lignes = []
for k in range(-324, 309):
    p = float("1e%d" % k)
    for d in (p, p * (1 + 2**-52), p * (1 - 2**-53)):
        lignes.append(bits(d))
for b in (0, 1, 0x000FFFFFFFFFFFFF, 0x7FEFFFFFFFFFFFFF, 0x7FF0000000000000, 0x7FF8000000000000, 0x8000000000000000):
    lignes.append("x%016X" % b)
while len(lignes) < n:
    c = r.randrange(6)
    if c == 0:
        lignes.append("x%016X" % r.getrandbits(64))
    elif c == 1:
        lignes.append(bits(r.randrange(1, 10**r.randrange(1, 20)) / 100))
    elif c == 2:  # digits beyond the significand, a point anywhere
        chiffres = str(r.getrandbits(r.randrange(1, 90)))
        i = r.randrange(len(chiffres) + 1)
        lignes.append(("-" if r.random() < 0.3 else "") + chiffres[:i] + "." + chiffres[i:])
    elif c == 3:  # halfway between doubles, written out
        m = r.getrandbits(53) | 1 << 52
        lignes.append("%d.5E%d" % (m, r.randrange(-330, 300)))
    elif c == 4:  # exponents near the extended and double limits
        lignes.append("%d.%dE%d" % (r.randrange(1, 99), r.randrange(100), r.choice((308, 309, -324, 4931, 4932, -4951, -4952, 499, -499)) + r.randrange(-2, 3)))
    else:  # integers near the rounding limits
        lignes.append(str(r.choice((2**31, 2**32, 2**63)) + r.randrange(-3, 4)) + r.choice(("", ".5", ".4999", "E0")))
print("\n".join(lignes[:n]))
