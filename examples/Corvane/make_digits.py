#!/usr/bin/env python3
"""Writes the Corvane handwritten-digits example: digits.txt, digits_backpropagation.prj and
digits_backpropagation.wgt.

The source is the table of 1797 handwritten digits that Debian's python3-sklearn package ships
(sklearn/datasets/data/digits.csv.gz): 8 x 8 images whose pixels count 0..16 dark points, and
the digit shown. The training set is made from it at the size of the largest data sets the
program's 16-bit counts allow: 30,000 images, each a source image (taken in turn) moved by at
most one pixel across and down and with a little noise added to every pixel, rounded and kept
within 0..16. The 1797 source images themselves follow as the test set.

digits.txt: a header line, then lines 2..30001 (training) and 30002..31798 (test), each 64
pixels divided by 16 (two decimals) and 10 one-hot targets (column 65 + d is 1 for digit d),
TAB-separated with CR LF line ends. The network is 64-100-10 with sigmoid outputs; the weights
file holds small starting weights drawn here. Everything is drawn from a fixed seed, so the
files come out the same every time.
"""
import csv
import gzip
import os
import random

from make_examples import project, write

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = "/usr/lib/python3/dist-packages/sklearn/datasets/data/digits.csv.gz"
TRAINING = 30000
HIDDEN = 100


def number(v):
    text = f"{v:.2f}".rstrip("0").rstrip(".")
    return text if text else "0"


def line(pixels, digit):
    targets = ["1" if d == digit else "0" for d in range(10)]
    return "\t".join([number(p / 16) for p in pixels] + targets)


def moved(pixels, dx, dy, rng):
    out = []
    for y in range(8):
        for x in range(8):
            sx, sy = x - dx, y - dy
            v = pixels[sy * 8 + sx] if 0 <= sx < 8 and 0 <= sy < 8 else 0
            v += rng.gauss(0.0, 0.5)
            out.append(min(16, max(0, round(v))))
    return out


def main():
    with gzip.open(SOURCE, "rt") as f:
        rows = [[int(v) for v in row] for row in csv.reader(f)]
    images = [(row[:64], row[64]) for row in rows]
    rng = random.Random(1797)
    header = [f"p{k}" for k in range(64)] + [f"d{d}" for d in range(10)]
    lines = ["\t".join(header)]
    for n in range(TRAINING):
        pixels, digit = images[n % len(images)]
        dx, dy = rng.randint(-1, 1), rng.randint(-1, 1)
        lines.append(line(moved(pixels, dx, dy, rng), digit))
    lines += [line(pixels, digit) for pixels, digit in images]
    write("digits.txt", lines)

    first_test = TRAINING + 2
    project("digits_backpropagation.prj", "digits.txt", (1, 64), (65, 74),
            (2, TRAINING + 1), (first_test, first_test + len(images) - 1),
            "digits_backpropagation.wgt", HIDDEN, False,
            slots={7: "0.00002", 12: "50", 22: "1"})
    count = (64 + 1) * HIDDEN + (HIDDEN + 1) * 10
    write("digits_backpropagation.wgt", [f"{rng.uniform(-0.1, 0.1):.6g}" for _ in range(count)])


if __name__ == "__main__":
    main()
