#!/usr/bin/env bash
# The largest generator run (every Pick 6 combination of 60 numbers, 126 files, about 2.34 GB)
# against dd writing the same count of bytes into the same folder, round by round:
#
# - on a memory file system (/dev/shm, or MEMORY_DIR), against plain dd: goal at most 1.2 times dd;
# - on a disk (DISK_DIR, default the build folder), against dd conv=fsync, since the writer syncs
#   every file before it renames it into place: goal at most 1.2 times dd.
#
# Also the writer's peak resident memory beyond start-up (goal: under 16 MB). Prints every round
# and the best of ROUNDS (default 3): on a loaded machine the best round is the fairest figure.
#
#   bench/combo_files_vs_dd.sh [build folder]
#
# The build folder needs the Release build of marlek-lotto-cli. Everything written is removed.
set -euo pipefail

build=${1:-build-release}
rounds=${ROUNDS:-3}
cli=$build/cli/marlek-lotto-cli
memory_dir=${MEMORY_DIR:-/dev/shm}
disk_dir=${DISK_DIR:-$build/combo-bench-out}
work_dirs=()
trap 'rm -rf "${work_dirs[@]}"' EXIT

best() { sort -g | head -n 1; }

# Peak memory of a run that writes nothing against the largest run (into memory).
mkdir -p "$memory_dir"
work=$(mktemp -d "$memory_dir/combo-bench.XXXXXX")
work_dirs+=("$work")
/usr/bin/time -f '%M' -o "$work/rss-start" "$cli" combos --kind 6 --field 0 --out "$work/empty.txt" >/dev/null
/usr/bin/time -f '%M' -o "$work/rss-run" "$cli" combos --kind 6 --field 60 --out "$work/combos.txt" >/dev/null
bytes=$(find "$work" -name '*.txt' ! -name empty.txt -printf '%s\n' | awk '{ s += $1 } END { printf "%.0f\n", s }')
rss_start=$(cat "$work/rss-start")
rss_run=$(cat "$work/rss-run")
find "$work" -name '*.txt' -delete

# timed FILE COMMAND...: runs the command, appends "wall cpu" (seconds; cpu = user + system).
timed() {
    local file=$1
    shift
    /usr/bin/time -f '%e %U %S' -o "$file.one" "$@" >/dev/null
    awk '{ printf "%s %.2f\n", $1, $2 + $3 }' "$file.one" >>"$file"
}

# compare FOLDER LABEL DD-OPTIONS...: rounds of the writer and of dd, alternating. The CPU time
# is printed too: on a machine that other work keeps busy it tells more than the wall time.
compare() {
    local folder=$1 label=$2
    shift 2
    mkdir -p "$folder"
    local dir
    dir=$(mktemp -d "$folder/combo-bench.XXXXXX")
    work_dirs+=("$dir")
    local round
    for ((round = 1; round <= rounds; round++)); do
        sync
        timed "$dir/writer.times" "$cli" combos --kind 6 --field 60 --out "$dir/combos.txt"
        find "$dir" -name '*.txt' -delete
        sync
        timed "$dir/dd.times" dd if=/dev/zero of="$dir/dd.bin" bs=1M count="$bytes" \
            iflag=count_bytes status=none "$@"
        rm -f "$dir/dd.bin"
    done
    local writer ddtime writer_cpu dd_cpu
    writer=$(cut -d' ' -f1 "$dir/writer.times" | best)
    ddtime=$(cut -d' ' -f1 "$dir/dd.times" | best)
    writer_cpu=$(cut -d' ' -f2 "$dir/writer.times" | best)
    dd_cpu=$(cut -d' ' -f2 "$dir/dd.times" | best)
    echo "$label ($(df --output=fstype "$dir" | tail -n 1), $dir)"
    echo "  writer, best of $rounds: ${writer} s, CPU ${writer_cpu} s   (all: $(cut -d' ' -f1 "$dir/writer.times" | xargs))"
    echo "  dd $*, best:  ${ddtime} s, CPU ${dd_cpu} s   (all: $(cut -d' ' -f1 "$dir/dd.times" | xargs))"
    printf '  time ratio writer/dd: %.2f  (goal <= 1.2); CPU time ratio %.2f\n' \
        "$(echo "$writer / $ddtime" | bc -l)" "$(echo "$writer_cpu / $dd_cpu" | bc -l)"
}

echo "bytes written per run: $bytes"
compare "$memory_dir" "memory file system, against dd"
compare "$disk_dir" "disk, against dd conv=fsync" conv=fsync
printf 'peak RSS: start-up %d kB, whole run %d kB, growth %.1f MB (goal < 16 MB)\n' \
    "$rss_start" "$rss_run" "$(echo "($rss_run - $rss_start) / 1024" | bc -l)"
