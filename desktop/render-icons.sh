#!/usr/bin/env bash
# Renders the launcher's icon to the PNG sizes kept in icons/ (run after
# changing korvath-launcher.svg; needs rsvg-convert from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" korvath-launcher.svg -o "icons/korvath-launcher-$size.png"
done
