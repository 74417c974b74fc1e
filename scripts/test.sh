#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARROX_WERROR=ON
cmake --build "$root/build" -j2
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
