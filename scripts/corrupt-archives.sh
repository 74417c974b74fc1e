#!/usr/bin/env bash
# Corrupts small archives at random (bit flips, truncation, changed table sizes and sector
# shifts) and runs `tarrox2-cli list`, `extract` and `put` on every copy under a memory cap
# and a 2 s wall-time limit. Counts crashes, runs over 2 s and runs over 256 MB, and keeps each
# input that caused one in OUT (default build/corrupt-finds). Takes minutes; not part of CI.
#   scripts/corrupt-archives.sh [COUNT] [BUILD_DIR]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-1000}
build=${2:-$root/build}
cli="$build/tarrox2-cli"
out=${OUT:-$build/corrupt-finds}
[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$work/stage/rez"

# Bases: named and unnamed files, encrypted ones, sector checksums, a locale.
cd "$work/stage"
head -c 3000 /dev/urandom | base64 >rez/glumain.bin
printf 'dialog' >rez/x.bin
seq 1 400 >rez/options.bin
smpq -c -q -M 1 -C PKWARE "$work/base1.mpq" rez/glumain.bin rez/x.bin
smpq -c -q -M 1 -C PKWARE -N "$work/base2.mpq" rez/glumain.bin rez/x.bin
smpq -c -q -M 1 -C PKWARE -E -F "$work/base3.mpq" rez/glumain.bin rez/options.bin
smpq -c -q -M 1 -C ZLIB -S "$work/base4.mpq" rez/options.bin rez/glumain.bin
smpq -a -q -C PKWARE -O 1031 "$work/base4.mpq" rez/x.bin
cd "$work"
printf 'new dialog' >in.bin

mutate() { # base seed out
    python3 - "$@" <<'PY'
import random, struct, sys
base, seed, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
r = random.Random(seed)
b = bytearray(open(base, 'rb').read())
hash_pos, block_pos = struct.unpack_from('<II', b, 16)
for _ in range(r.randint(1, 3)):
    kind = r.choice(['flip', 'flip', 'table', 'truncate', 'field'])
    if kind == 'flip':
        # Half the flips land in the header and tables, where the library trusts most.
        region = r.choice([(0, 32), (hash_pos, hash_pos + 64), (block_pos, block_pos + 64),
                           (0, len(b))])
        for _ in range(r.randint(1, 8)):
            i = min(r.randrange(region[0], max(region[1], region[0] + 1)), len(b) - 1)
            b[i] ^= 1 << r.randrange(8)
    elif kind == 'table':
        at = r.choice([24, 28])
        old = struct.unpack_from('<I', b, at)[0]
        new = r.choice([old * 2, old + 1, max(old - 1, 0), 1 << r.randrange(32),
                        r.getrandbits(32), 0])
        struct.pack_into('<I', b, at, new & 0xffffffff)
    elif kind == 'field':
        at = r.choice([4, 8, 12, 14, 16, 20])
        fmt = '<H' if at in (12, 14) else '<I'
        struct.pack_into(fmt, b, at, r.getrandbits(16 if fmt == '<H' else 32))
    else:
        del b[r.randrange(1, len(b)):]
open(out, 'wb').write(b)
PY
}

runs=0 crashes=0 slow=0 big=0 ok=0 refused=0
for ((i = 1; i <= count; ++i)); do
    base="$work/base$((i % 4 + 1)).mpq"
    mutate "$base" "$i" case.mpq
    for command in list extract put; do
        cp case.mpq run.mpq
        case $command in
        list) args=(list run.mpq --locale -1) ;;
        extract) args=(extract run.mpq 'rez\glumain.bin' got.bin) ;;
        put) args=(put run.mpq 'rez\glumain.bin' in.bin) ;;
        esac
        /usr/bin/time -f %M -o rss.txt prlimit --as=$((1 << 30)) --cpu=4 \
            timeout -s KILL 2 "$cli" "${args[@]}" >/dev/null 2>err.txt
        status=$?
        rss=$(tail -n 1 rss.txt | tr -cd 0-9)
        runs=$((runs + 1))
        finding=
        if [ "$status" -eq 137 ]; then
            slow=$((slow + 1)) finding=slow
        elif [ "$status" -gt 128 ] || grep -q 'terminated by signal' rss.txt; then
            crashes=$((crashes + 1)) finding=crash
        elif [ "${rss:-0}" -gt $((256 * 1024)) ]; then
            big=$((big + 1)) finding=big
        elif [ "$status" -eq 0 ]; then
            ok=$((ok + 1))
        else
            refused=$((refused + 1))
        fi
        if [ -n "$finding" ]; then
            cp case.mpq "$out/$finding-$command-$i.mpq"
            echo "$finding: $command case $i (status $status, ${rss:-?} KB)"
        fi
        rm -f got.bin
    done
done
echo "runs $runs: clean $ok, refused with a message $refused, crashes $crashes," \
    "over 2 s $slow, over 256 MB $big"
[ $((crashes + slow + big)) -eq 0 ]
