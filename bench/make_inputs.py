#!/usr/bin/env python3
"""Writes the benchmark inputs into OUT_DIR, each from a fixed seed, so that every run times the
same work:

  primes.txt      the 100,000 largest primes below 10^12
  random.txt      100,000 random 12-digit numbers
  wide.txt        20,000 random numbers of 19 and 20 digits (10^18 to 10^20)
  primes64.txt    the 10,000 largest primes below 2^64 (2^64 - 59 is the largest)
  semi30.txt      10 balanced 30-digit semiprimes (two 15-digit primes)
  semi40.txt      5 balanced 40-digit semiprimes (two 20-digit primes)
  fermat7.txt     2^128 + 1

Usage: make_inputs.py OUT_DIR [NAME...]   (without names: primes and random)"""
import random
import sys

# Deterministic below 3.3 * 10^24 (the first 13 primes as bases); the semiprimes' factors are
# below 10^20.
BASES = (2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41)


def is_prime(n):
    if n < 2:
        return False
    for p in BASES:
        if n % p == 0:
            return n == p
    d, s = n - 1, 0
    while d % 2 == 0:
        d //= 2
        s += 1
    for a in BASES:
        x = pow(a, d, n)
        if x in (1, n - 1):
            continue
        for _ in range(s - 1):
            x = x * x % n
            if x == n - 1:
                break
        else:
            return False
    return True


def largest_primes(count, limit, span):
    """The `count` largest primes below `limit`, sieving [limit - span, limit) by the small primes
    first (`span` must hold them)."""
    low = limit - span
    alive = bytearray([1]) * span
    small = [p for p in range(2, 100000) if is_prime(p)]
    for p in small:
        start = (-low) % p
        alive[start::p] = bytes(len(range(start, span, p)))
    primes = []
    for i in range(span - 1, -1, -1):
        if alive[i] and is_prime(low + i):
            primes.append(low + i)
            if len(primes) == count:
                return sorted(primes)
    raise ValueError("span too small")


def random_prime(rng, digits):
    while True:
        n = rng.randrange(10 ** (digits - 1), 10**digits) | 1
        if is_prime(n):
            return n


def semiprimes(rng, count, digits):
    """Products of two primes of digits/2 digits each, with exactly `digits` digits."""
    out = []
    while len(out) < count:
        n = random_prime(rng, digits // 2) * random_prime(rng, digits // 2)
        if len(str(n)) == digits:
            out.append(n)
    return out


SETS = {
    "primes": lambda: largest_primes(100000, 10**12, 3000000),
    "random": lambda: (lambda rng: [rng.randrange(10**11, 10**12) for _ in range(100000)])(
        random.Random(20261207)),
    "wide": lambda: (lambda rng: [rng.randrange(10**18, 10**20) for _ in range(20000)])(
        random.Random(20261208)),
    "primes64": lambda: largest_primes(10000, 2**64, 600000),
    "semi30": lambda: semiprimes(random.Random(30), 10, 30),
    "semi40": lambda: semiprimes(random.Random(40), 5, 40),
    "fermat7": lambda: [2**128 + 1],
}


def main(out_dir, names):
    for name in names or ("primes", "random"):
        with open(f"{out_dir}/{name}.txt", "w") as f:
            f.write("".join(f"{n}\n" for n in SETS[name]()))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
