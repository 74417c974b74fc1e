#!/usr/bin/env bash
# Builds the benchmarks (RelWithDebInfo), runs each target beside its floor in the same run and
# prints the ratio of their medians against the limit it must keep. Exit status 1 when a target
# misses its limit. Takes a minute or two; needs smpq (scripts/deps.sh).
#   scripts/bench.sh [BUILD_DIR] [REPETITIONS]      # defaults: build/, 9
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
repetitions=${2:-9}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target bench_preview bench_render bench_large_archive
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
for bench in bench_preview bench_render bench_large_archive; do
    echo "running $bench ($repetitions repetitions)"
    "$build/$bench" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
        --benchmark_format=json --benchmark_out="$results/$bench.json" >/dev/null
done
python3 - "$results" <<'PY'
import glob, json, sys
medians = {}
for path in glob.glob(sys.argv[1] + "/*.json"):
    for b in json.load(open(path))["benchmarks"]:
        if b.get("aggregate_name") == "median":
            name = b["run_name"].split("/")[0]
            medians[name] = (b["real_time"], b["time_unit"])
            # A floor timed in turn with the target in the same loop.
            if "floor_us" in b:
                medians[name + ".memset"] = (b["floor_us"], "us")
# target, floor, the most the target may take as a multiple of the floor
targets = [
    ("BM_RedrawPreview", "BM_RedrawPreview.memset", 10),
    ("BM_ClearSurface", "BM_ClearSurface.memset", 1.5),
    ("BM_FillRectangle", "BM_FillRectangle.memset", 2),
    ("BM_FillRoundRect", "BM_FillRoundRect.memset", 2),
    ("BM_FillEllipse", "BM_FillEllipse.memset", 2),
    ("BM_ListCold", "BM_Floor_SmpqListCold", 1.5),
    ("BM_Put", "BM_Floor_CopyAndFsync", 1.5),
    ("BM_RenderProcess", "BM_Floor_TrueProcess", 10),
]
missed = 0
print(f"{'target':18} {'median':>11} {'floor':24} {'median':>11} {'ratio':>6} {'limit':>6}")
for target, floor, limit in targets:
    (t, unit), (f, funit) = medians[target], medians[floor]
    ratio = t / f
    holds = ratio <= limit
    missed += not holds
    print(f"{target:18} {t:8.2f} {unit:2} {floor:24} {f:8.2f} {funit:2} {ratio:6.2f} {limit:6}"
          f"  {'holds' if holds else 'MISSED'}")
sys.exit(1 if missed else 0)
PY
