#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Configures (once) and builds the release build in build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! -f "$root/build/build.ninja" ]; then
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$root/build" -j "$(nproc)"
