#!/usr/bin/env bash
# Saves a picture of every window, drawn offscreen from the sample main menu, as PNG files.
# Usage: scripts/screenshots.sh [OUT_DIR] [BUILD_DIR]   (defaults: screenshots/, build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-screenshots}")
build=$(realpath -m "${2:-$root/build}")
cmake --build "$build" --target screenshots -j2
mkdir -p "$out"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/screenshots" "$out" "$root/samples/mainmenu.bin"
echo "Pictures in $out"
