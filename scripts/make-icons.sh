#!/bin/sh
# Renders the program's icon at every size the desktop and Windows use, from its one drawing
# (packaging/icons/kr.tombolix.Tombolix.svg), into packaging/icons/png. Run after changing the
# drawing, then commit the PNGs; test_routines then asks for a fresh app/tombolix.ico.
# Needs rsvg-convert (Debian's librsvg2-bin).
set -e
cd "$(dirname "$0")/../packaging/icons"
mkdir -p png
for size in 16 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --output "png/$size.png" kr.tombolix.Tombolix.svg
done
ls -l png
