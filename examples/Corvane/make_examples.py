#!/usr/bin/env python3
"""Writes the Corvane example data and project files of this folder.

breast_cancer.txt is derived from the Wisconsin diagnostic breast cancer table that Debian's
python3-sklearn package ships (sklearn/datasets/data/breast_cancer.csv): the ten "mean"
measurements of each of the 569 cases, each scaled to 0..1 by its minimum and maximum, and the
diagnosis (1 benign, 0 malignant), TAB-separated with a header line and CR LF line ends.
The weights files are then made with `Corvane --random-weights`.
"""
import csv
import os

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = "/usr/lib/python3/dist-packages/sklearn/datasets/data/breast_cancer.csv"
NAMES = ["radius", "texture", "perimeter", "area", "smoothness", "compactness", "concavity",
         "concave_points", "symmetry", "fractal_dimension"]


def write(name, lines):
    with open(os.path.join(HERE, name), "w", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))


def breast_cancer():
    with open(SOURCE) as f:
        rows = list(csv.reader(f))[1:]
    features = [[float(v) for v in row[:10]] for row in rows]
    lows = [min(c) for c in zip(*features)]
    highs = [max(c) for c in zip(*features)]
    lines = ["\t".join(NAMES + ["benign"])]
    for row, values in zip(rows, features):
        scaled = [(v - lo) / (hi - lo) for v, lo, hi in zip(values, lows, highs)]
        lines.append("\t".join(f"{v:.4f}" for v in scaled) + "\t" + row[30])
    write("breast_cancer.txt", lines)


def project(name, data, inputs, outputs, train, test, weights, hidden, genetic, **over):
    texts = ["", "", "", "", "", "", "", "0.01", "0.9", "", "", "0", "1000", "", "", "",
             "10", "0.1", "0.8", "1.05", "0.7", "1.04", "1"]
    texts[0] = data
    texts[1], texts[2] = str(inputs[0]), str(inputs[1])
    texts[3], texts[4] = str(train[0]), str(train[1])
    texts[5], texts[6] = str(outputs[0]), str(outputs[1])
    texts[9], texts[10] = str(test[0]), str(test[1])
    texts[13] = weights
    texts[14] = str(hidden)
    for slot, value in over.get("slots", {}).items():
        texts[slot] = value
    options = [genetic, not genetic, False, False, False, False, True, False]
    checks = [over.get("elitism", 0), 0, 1]
    lines = [f'"{t}"' for t in texts]
    lines += ["#TRUE#" if o else "#FALSE#" for o in options]
    lines += [str(c) for c in checks]
    lines += ['""'] * 5
    write(name, lines)


def main():
    write("xor.txt", ["x1\tx2\ty", "0\t0\t0", "0\t1\t1", "1\t0\t1", "1\t1\t0"])
    project("xor_backpropagation.prj", "xor.txt", (1, 2), (3, 3), (2, 5), (2, 5),
            "xor_backpropagation.wgt", 3, False,
            slots={7: "0.5", 11: "0.01", 12: "2000"})
    project("xor_genetic.prj", "xor.txt", (1, 2), (3, 3), (2, 5), (2, 5),
            "xor_genetic.wgt", 3, True, elitism=1,
            slots={11: "0.01", 12: "500", 16: "30", 17: "0.1", 18: "0.8"})
    breast_cancer()
    project("breast_cancer_backpropagation.prj", "breast_cancer.txt", (1, 10), (11, 11),
            (2, 401), (402, 570), "breast_cancer_backpropagation.wgt", 8, False,
            slots={7: "0.01", 12: "300"})
    project("breast_cancer_genetic.prj", "breast_cancer.txt", (1, 10), (11, 11),
            (2, 401), (402, 570), "breast_cancer_genetic.wgt", 8, True, elitism=1,
            slots={12: "100", 16: "20"})
    write("breast_cancer.mcr", ['"breast_cancer_backpropagation.prj"',
                                '"breast_cancer_genetic.prj"'] + ['""'] * 98)


if __name__ == "__main__":
    main()
