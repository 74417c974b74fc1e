#!/usr/bin/env bash
# Plants each listed fault, one at a time, in a copy of the tree, rebuilds, runs the tests and
# says whether they caught it. A fault that survives is a test missing, unless the list says
# why no user could meet it. Slow (a build and a test run per fault), so not part of CI.
#
#   scripts/plant-faults.sh [LIST] [BUILD_DIR]
#
# LIST defaults to scripts/planted-faults.txt; BUILD_DIR (default build-faults/) holds the copy
# of the tree with its build, and a log per fault. ONLY="3 17" plants only those faults;
# CHECK_ONLY=1 only checks that every listed text is still found exactly once.
# The exit status is 0 when every fault not marked harmless was caught.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
list=$(realpath "${1:-$root/scripts/planted-faults.txt}")
work=$(realpath -m "${2:-$root/build-faults}")
tree=$work/tree
# The build inside the copy, laid out as in the tree, so ccache finds what a developer's build
# already compiled.
build=$tree/build
logs=$work/logs
jobs=${JOBS:-2}

# The list: records of "key: value" lines, parted by blank lines; '#' starts a comment line.
files=() finds=() replaces=() users=() harmless=() sanitized=()
add_record() {
    [[ -z $file$find$user ]] && return
    local n=$((${#files[@]} + 1))
    if [[ -z $file || -z $find || -z $user ]]; then
        echo "$list: fault $n needs file, find and user" >&2
        exit 2
    fi
    files+=("$file") finds+=("$find") replaces+=("$replace") users+=("$user")
    harmless+=("$why") sanitized+=("$sanitize")
}
file='' find='' replace='' user='' why='' sanitize=''
while IFS= read -r line || [[ -n $line ]]; do
    case $line in
    '#'*) ;;
    '')
        add_record
        file='' find='' replace='' user='' why='' sanitize=''
        ;;
    file:*) file=${line#file:} file=${file# } ;;
    find:*) find=${line#find:} find=${find# } ;;
    replace:*) replace=${line#replace:} replace=${replace# } ;;
    user:*) user=${line#user:} user=${user# } ;;
    harmless:*) why=${line#harmless:} why=${why# } ;;
    sanitize:*) sanitize=${line#sanitize:} sanitize=${sanitize# } ;;
    *)
        echo "$list: not a record line: $line" >&2
        exit 2
        ;;
    esac
done <"$list"
add_record

# How often `find` occurs in the file's text.
occurrences() {
    local text=$1 find=$2
    local rest=${text//"$find"/}
    echo $(((${#text} - ${#rest}) / ${#find}))
}

# A stale record must not pass for a caught fault: every one is checked before anything runs.
stale=0
for i in "${!files[@]}"; do
    path=$root/${files[i]}
    if [[ ! -f $path ]]; then
        echo "fault $((i + 1)): ${files[i]} does not exist" >&2
        stale=1
        continue
    fi
    text=$(cat "$path"; printf x)
    count=$(occurrences "$text" "${finds[i]}")
    if [[ $count != 1 ]]; then
        echo "fault $((i + 1)): '${finds[i]}' occurs $count times in ${files[i]}, not once" >&2
        stale=1
    elif [[ ${finds[i]} == "${replaces[i]}" ]]; then
        echo "fault $((i + 1)): its replacement changes nothing" >&2
        stale=1
    fi
done
((stale == 0)) || exit 2
if [[ -n ${CHECK_ONLY:-} ]]; then
    echo "${#files[@]} faults, each found once"
    exit 0
fi

# The copy: only files whose content differs are copied, with a fresh time, so the build
# redoes what changed and nothing else, even after a run that was cut short.
mkdir -p "$tree" "$logs"
while IFS= read -r -d '' name; do
    [[ -f $root/$name ]] || continue
    if ! cmp -s "$root/$name" "$tree/$name"; then
        mkdir -p "$(dirname "$tree/$name")"
        cp "$root/$name" "$tree/$name"
    fi
done < <(git -C "$root" ls-files -z --cached --others --exclude-standard)

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# The developers' flags, warnings as errors too: a slip the compiler refuses is no fault to list.
cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARROX_WERROR=ON \
    "${launcher[@]}" >"$logs/configure.log"

run_tests() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
        UBSAN_OPTIONS=halt_on_error=1 ctest --stop-on-failure --timeout 300 -j"$jobs")
}

# Faults only a sanitizer sees run the core tests as scripts/sanitize.sh builds them.
asan=$tree/build-asan
wants_asan=0
for i in "${!files[@]}"; do
    n=$((i + 1))
    if [[ -n ${sanitized[i]} && (-z ${ONLY:-} || " $ONLY " == *" $n "*) ]]; then wants_asan=1; fi
done
if ((wants_asan)); then
    cmake -S "$tree" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARROX_CORE_ONLY=ON \
        -DTARROX_SANITIZE=ON -DTARROX_WERROR=ON "${launcher[@]}" >"$logs/configure-asan.log"
fi

start=$SECONDS
echo "Building the unchanged copy and running its tests…"
if ! cmake --build "$build" -j"$jobs" >"$logs/baseline.log" 2>&1 ||
    ! run_tests "$build" >>"$logs/baseline.log" 2>&1; then
    echo "The unchanged tree does not build or pass its tests; see $logs/baseline.log" >&2
    exit 2
fi
if ((wants_asan)) && { ! cmake --build "$asan" -j"$jobs" >>"$logs/baseline.log" 2>&1 ||
    ! run_tests "$asan" >>"$logs/baseline.log" 2>&1; }; then
    echo "The unchanged tree does not pass its tests under the sanitizers; see" \
        "$logs/baseline.log" >&2
    exit 2
fi

# After a fault only the programs the tests run are rebuilt, not the benchmarks.
mapfile -t targets < <(cd "$build" && ctest -N -V | awk '/Test command:/ {print $4}' |
    xargs -n1 basename | sort -u)
targets+=(tarrox2-cli)

planted=''
restore() {
    if [[ -n $planted ]]; then
        cp "$work/original" "$tree/$planted"
        planted=''
    fi
}
trap restore EXIT

caught=0 survived=0 excused=0 broken=0 total=0
for i in "${!files[@]}"; do
    n=$((i + 1))
    if [[ -n ${ONLY:-} && " $ONLY " != *" $n "* ]]; then continue; fi
    total=$((total + 1))
    path=$tree/${files[i]}
    cp "$path" "$work/original"
    planted=${files[i]}
    text=$(cat "$path"; printf x)
    text=${text%x}
    printf '%s' "${text/"${finds[i]}"/"${replaces[i]}"}" >"$path"
    began=$SECONDS
    log=$logs/fault-$n.log
    if [[ -n ${sanitized[i]} ]]; then
        into=$asan built=(cmake --build "$asan" -j"$jobs")
    else
        into=$build built=(cmake --build "$build" -j"$jobs" --target "${targets[@]}")
    fi
    if ! "${built[@]}" >"$log" 2>&1; then
        verdict='DID NOT BUILD'
        broken=$((broken + 1))
    elif ! run_tests "$into" >>"$log" 2>&1; then
        verdict=caught
        caught=$((caught + 1))
    elif [[ -n ${harmless[i]} ]]; then
        verdict="survived, harmless: ${harmless[i]}"
        excused=$((excused + 1))
    else
        verdict='SURVIVED'
        survived=$((survived + 1))
    fi
    restore
    printf '%3d %-4s %s: %s — %s\n' "$n" "$((SECONDS - began))s" "${files[i]}" \
        "${users[i]}" "$verdict"
done

elapsed=$((SECONDS - start))
echo "$total planted: $caught caught, $survived survived, $excused harmless," \
    "$broken did not build; $((elapsed / 60)) min $((elapsed % 60)) s"
((survived == 0 && broken == 0))
