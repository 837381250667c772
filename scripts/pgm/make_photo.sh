#!/usr/bin/env bash
# Writes the photograph the rotation check uses: ImageMagick's built-in rose,
# in grey, as a plain-text greymap. Needs the imagemagick package; the output
# is committed, so the check itself needs only netpbm.
set -euo pipefail
out=${1:-"$(dirname "$0")/../../tests/image/data/rose.pgm"}
convert rose: -colorspace gray -depth 8 -compress none pgm:- >"$out"
pamfile "$out"
