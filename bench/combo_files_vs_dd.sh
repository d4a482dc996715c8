#!/usr/bin/env bash
# The largest generator run (every Pick 6 combination of 60 numbers, about 2.3 GB) against dd
# writing the same count of bytes, in one run on the same file system. Prints the time ratio
# (goal: at most 1.5) and the writer's peak resident memory beyond start-up (goal: under 16 MB).
#
#   bench/combo_files_vs_dd.sh [build folder] [folder to write into]
#
# The build folder needs the Release build of marlek-lotto-cli and bench/combo_writer_bench.
# Everything written is removed again.
set -euo pipefail

build=${1:-build-release}
out=${2:-$build/combo-bench-out}
rounds=${ROUNDS:-3}
cli=$build/cli/marlek-lotto-cli
bench=$build/bench/combo_writer_bench
mkdir -p "$out"
work=$(mktemp -d "$out/run.XXXXXX")
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
best() { sort -g | head -n 1; }

# One run of the command line tool first, for the count of bytes and the memory.
/usr/bin/time -f '%M' -o "$work/rss-start" "$cli" combos --kind 6 --field 0 --out "$work/empty.txt" >/dev/null
/usr/bin/time -f '%M' -o "$work/rss-run" "$cli" combos --kind 6 --field 60 --out "$work/combos.txt" >/dev/null
bytes=$(find "$work" -name '*.txt' ! -name empty.txt -printf '%s\n' | awk '{ s += $1 } END { printf "%.0f\n", s }')
find "$work" -name '*.txt' -delete
sync

writer_times=()
dd_times=()
for ((round = 1; round <= rounds; round++)); do
    start=$(now)
    "$cli" combos --kind 6 --field 60 --out "$work/combos.txt" >/dev/null
    writer_times+=("$(echo "$(now) - $start" | bc -l)")
    find "$work" -name '*.txt' -delete
    sync

    start=$(now)
    dd if=/dev/zero of="$work/dd.bin" bs=1M count="$bytes" iflag=count_bytes status=none
    dd_times+=("$(echo "$(now) - $start" | bc -l)")
    rm -f "$work/dd.bin"
    sync
done

writer=$(printf '%s\n' "${writer_times[@]}" | best)
ddtime=$(printf '%s\n' "${dd_times[@]}" | best)
rss_start=$(cat "$work/rss-start")
rss_run=$(cat "$work/rss-run")

echo "bytes written:         $bytes"
echo "writer (best of $rounds):    ${writer} s   (all: ${writer_times[*]})"
echo "dd, same bytes (best): ${ddtime} s   (all: ${dd_times[*]})"
printf 'time ratio writer/dd:  %.2f  (goal <= 1.5)\n' "$(echo "$writer / $ddtime" | bc -l)"
printf 'peak RSS: start-up %d kB, whole run %d kB, growth %.1f MB (goal < 16 MB)\n' \
    "$rss_start" "$rss_run" "$(echo "($rss_run - $rss_start) / 1024" | bc -l)"

if [[ -x $bench ]]; then
    MARLEK_BENCH_DIR=$work "$bench" --benchmark_counters_tabular=true
fi
