#!/usr/bin/env python3
"""Runs a program's batch mode with export options and checks the files it writes.

Usage: check_batch_export.py PROGRAM [checks] -- PROGRAM_ARGUMENTS

Checks (each optional):
  --figure                 ask for SVG, PNG and PDF and check them
  --scale N                the PNG's scale (default 1)
  --png-size WxH           the PNG's size at scale 1
  --svg-text TEXT          a text the SVG must hold (repeatable)
  --csv-header A,B,C       the CSV's header row (ending in ",..." for its first columns)
  --csv-rows N             the number of rows after the header
  --csv-cell R,C,VALUE     the number in row R (from 1, after the header), column C (from 0)
  --csv-column-count C,N   rows whose column C holds a number: at least N
  --copy FILE              copy FILE into the run's temporary folder first (repeatable); "{dir}"
                           in the program's arguments stands for that folder

The program runs with a comma-decimal locale in its environment; every number in the CSV must
still use "." and read back as a float.
"""
import argparse
import csv
import io
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail("not a PNG file")
    return struct.unpack(">II", data[16:24])


def png_has_ink(path):
    # The raw image data is compressed; a blank PNG of this size compresses to a few hundred
    # bytes, a drawing to far more.
    return os.path.getsize(path) > 2000


def main():
    if "--" not in sys.argv:
        fail("usage: check_batch_export.py PROGRAM [checks] -- ARGUMENTS")
    split = sys.argv.index("--")
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--figure", action="store_true")
    parser.add_argument("--scale", default="1")
    parser.add_argument("--png-size")
    parser.add_argument("--svg-text", action="append", default=[])
    parser.add_argument("--csv-header")
    parser.add_argument("--csv-rows", type=int)
    parser.add_argument("--csv-cell", action="append", default=[])
    parser.add_argument("--csv-column-count", action="append", default=[])
    parser.add_argument("--copy", action="append", default=[])
    options = parser.parse_args(sys.argv[1:split])
    program_args = sys.argv[split + 1:]

    with tempfile.TemporaryDirectory() as folder:
        files = {kind: os.path.join(folder, "out." + kind) for kind in ("svg", "png", "pdf", "csv")}
        for path in options.copy:
            shutil.copy(path, folder)
        args = [options.program] + [a.replace("{dir}", folder) for a in program_args]
        if options.figure:
            args += ["--export-svg", files["svg"], "--export-png", files["png"],
                     "--scale", options.scale, "--export-pdf", files["pdf"]]
        if options.csv_header:
            args += ["--export-csv", files["csv"]]
        env = dict(os.environ, LC_ALL="de_DE.UTF-8", LANG="de_DE.UTF-8")
        env.pop("DISPLAY", None)
        env.pop("QT_QPA_PLATFORM", None)
        run = subprocess.run(args, capture_output=True, text=True, env=env, timeout=300)
        if run.returncode != 0:
            fail("exit status %d\n%s%s" % (run.returncode, run.stdout[-2000:], run.stderr[-2000:]))

        if options.figure:
            root = ET.parse(files["svg"]).getroot()
            texts = [("".join(e.itertext())).strip() for e in root.iter()
                     if e.tag.endswith("}text") or e.tag == "text"]
            paths = [e for e in root.iter() if e.tag.endswith("}path") or e.tag == "path"
                     or e.tag.endswith("}polyline") or e.tag == "polyline"]
            if not paths:
                fail("the SVG holds no path")
            for wanted in options.svg_text:
                if wanted not in texts:
                    fail("the SVG lacks the text %r (it has %r)" % (wanted, texts[:40]))
            with open(files["png"], "rb") as f:
                width, height = png_size(f.read(32))
            if options.png_size:
                w, h = (int(v) for v in options.png_size.split("x"))
                scale = float(options.scale)
                if (width, height) != (round(w * scale), round(h * scale)):
                    fail("PNG size %dx%d, expected %dx%d at scale %s" % (width, height, w, h,
                                                                          options.scale))
            if not png_has_ink(files["png"]):
                fail("the PNG is blank")
            with open(files["pdf"], "rb") as f:
                if not f.read(5) == b"%PDF-":
                    fail("not a PDF file")

        if options.csv_header:
            with open(files["csv"], "rb") as f:
                raw = f.read()
            text = raw.decode("utf-8")
            if "\r\n" not in text:
                fail("CSV lines do not end with CR LF")
            rows = list(csv.reader(io.StringIO(text, newline="")))
            wanted = options.csv_header.split(",")
            if wanted[-1] == "...":  # only the first columns are given
                wanted = wanted[:-1]
                if rows[0][:len(wanted)] != wanted:
                    fail("header starts %r, expected %r" % (rows[0][:len(wanted)], wanted))
            elif rows[0] != wanted:
                fail("header %r, expected %r" % (rows[0], wanted))
            body = rows[1:]
            if options.csv_rows is not None and len(body) != options.csv_rows:
                fail("%d rows, expected %d" % (len(body), options.csv_rows))
            for cell in options.csv_cell:
                r, c, value = cell.split(",", 2)
                got = body[int(r) - 1][int(c)]
                if float(got) != float(value):
                    fail("row %s column %s is %r, expected %s" % (r, c, got, value))
            for spec in options.csv_column_count:
                c, n = (int(v) for v in spec.split(","))
                numbers = 0
                for row in body:
                    try:
                        float(row[c])
                        numbers += 1
                    except (ValueError, IndexError):
                        pass
                if numbers < n:
                    fail("column %d holds %d numbers, expected at least %d" % (c, numbers, n))
    print("ok")


if __name__ == "__main__":
    main()
