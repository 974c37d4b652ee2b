#!/usr/bin/env python3
"""Writes the benchmark inputs: the 2,340 largest primes below 10^12, and 100,000 random 12-digit
numbers (fixed seed, so every run times the same work)."""
import random
import sys


def is_prime(n):
    if n < 2:
        return False
    for p in (2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37):
        if n % p == 0:
            return n == p
    d, s = n - 1, 0
    while d % 2 == 0:
        d //= 2
        s += 1
    for a in (2, 3, 5, 7, 11, 13, 17):  # deterministic below 3.4 * 10^14
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


def largest_primes(count, limit):
    primes, n = [], limit - 1
    while len(primes) < count:
        if is_prime(n):
            primes.append(n)
        n -= 1
    return sorted(primes)


def main(out_dir):
    with open(f"{out_dir}/primes.txt", "w") as f:
        f.write("".join(f"{p}\n" for p in largest_primes(2340, 10**12)))
    rng = random.Random(20261207)
    with open(f"{out_dir}/random.txt", "w") as f:
        f.write("".join(f"{rng.randrange(10**11, 10**12)}\n" for _ in range(100000)))


if __name__ == "__main__":
    main(sys.argv[1])
