#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the reproducible benchmark folder: 4000 x 3000 photo-like JPEGs plus PNG, GIF and BMP
# files. Usage: bench/make_corpus.sh OUTDIR [--jobs N] [--only jpeg,png,gif,bmp,huge]
# Keep OUTDIR outside the repository.
set -euo pipefail
missing=()
for p in python3-pil python3-numpy; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -q && $sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi
exec /usr/bin/python3 "$(dirname "$0")/make_corpus.py" "$@"
