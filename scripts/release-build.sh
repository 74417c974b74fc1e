#!/usr/bin/env bash
# Builds everything as packagers do (Release, warnings as errors), where g++ warns about things
# it does not see at lower optimisation. Only building: the test command runs the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARROX_WERROR=ON \
    "$@"
cmake --build "$root/build-release" -j2
