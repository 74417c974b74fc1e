#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while (seconds, default 60).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARROX_CORE_ONLY=ON -DTARROX_FUZZ=ON -DTARROX_WERROR=ON
cmake --build "$root/build-fuzz" -j2 --target fuzz_targets
for target in "$root"/build-fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$root/build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    [ -d "$root/fuzz/seeds/$name" ] && seeds+=("$root/fuzz/seeds/$name")
    [ "$name" = fuzz_reader ] && seeds+=("$root/samples")
    echo "== $name for ${seconds}s"
    (cd "$root/build-fuzz" && "$target" -max_total_time="$seconds" -print_final_stats=1 \
        -max_len=65536 "$corpus" "${seeds[@]}")
done
