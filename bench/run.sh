#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the benchmarks in an optimised build.
#   bench/run.sh [board_refresh arguments...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cmake -S "$root" -B "$root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build-bench" --target board_refresh decode_roundtrip kelvane-decoder
"$root/build-bench/bench/board_refresh" "$@"
