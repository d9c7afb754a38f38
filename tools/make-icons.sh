#!/usr/bin/env bash
# Renders the programs' icons (packaging/icons/*.svg) into the PNG sizes that are installed
# beside them (packaging/icons/48/, packaging/icons/256/). Run after changing an SVG; the PNGs
# are kept in the repository so that building needs no SVG renderer. Needs librsvg2-bin.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for svg in *.svg; do
    for size in 48 256; do
        mkdir -p "$size"
        rsvg-convert -w "$size" -h "$size" "$svg" -o "$size/${svg%.svg}.png"
    done
done
