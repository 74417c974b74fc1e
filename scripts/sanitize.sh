#!/usr/bin/env bash
# Builds the core and its tests with AddressSanitizer + UndefinedBehaviorSanitizer and runs them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTARROX_CORE_ONLY=ON -DTARROX_SANITIZE=ON -DTARROX_WERROR=ON
cmake --build "$root/build-asan" -j2
cd "$root/build-asan"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --output-on-failure -j2
