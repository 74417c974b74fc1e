#!/usr/bin/env bash
# Sets up a fresh machine, builds the editor and opens the sample main menu in it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j2
if [ -x "$root/build/tarrox2" ]; then
    exec "$root/build/tarrox2" "$root/samples/mainmenu.bin"
fi
exec "$root/build/tarrox2-cli" dump "$root/samples/mainmenu.bin"
