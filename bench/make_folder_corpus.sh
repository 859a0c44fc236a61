#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the two folders of the folder benchmark from the reference corpus (make_corpus.sh):
#   OUTDIR/photos-1000  1000 photo-like 4000 x 3000 JPEGs (the 200 reference photos, each
#                       linked five times under new names)
#   OUTDIR/small-10000  10000 photo-like 640 x 480 JPEGs (100 reduced photos, each linked
#                       100 times under new names)
# Usage: bench/make_folder_corpus.sh CORPUS OUTDIR   (CORPUS made by bench/make_corpus.sh)
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 CORPUS OUTDIR" >&2; exit 2; }
corpus=$1
out=$2
mkdir -p "$out/photos-1000" "$out/small-10000" "$out/small-src"
photos=("$corpus"/jpeg/img_*.jpg)
[ ${#photos[@]} -ge 100 ] || { echo "no reference photos in $corpus/jpeg" >&2; exit 1; }
n=0
for copy in 0 1 2 3 4; do
    for p in "${photos[@]:0:200}"; do
        ln -f "$p" "$out/photos-1000/$(printf 'photo_%04d.jpg' $n)"
        n=$((n + 1))
    done
done
/usr/bin/python3 - "$out/small-src" "${photos[@]:0:100}" <<'PY'
import sys
from PIL import Image
dest = sys.argv[1]
for i, path in enumerate(sys.argv[2:]):
    Image.open(path).resize((640, 480), Image.BILINEAR).save(f"{dest}/s{i:03d}.jpg", quality=90)
PY
n=0
for copy in $(seq 0 99); do
    for s in "$out"/small-src/s*.jpg; do
        ln -f "$s" "$out/small-10000/$(printf 'small_%05d.jpg' $n)"
        n=$((n + 1))
    done
done
echo "made $out/photos-1000 and $out/small-10000"
