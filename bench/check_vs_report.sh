#!/usr/bin/env bash
# The check of a draw against the largest full wheel (every Pick 6 combination of 60 numbers,
# 50,063,860 tickets) against writing that wheel's report, both to /dev/null with the command line
# tool. Prints the time ratio (goal: at most 2) and the check's peak resident memory (goal: under
# 16 MB).
#
#   bench/check_vs_report.sh [build folder]
#
# The build folder needs the Release build of marlek-lotto-cli. With CHECK_FILE=1 it also saves the
# report (about 2.3 GB, in the build folder, removed again) and times check --report on it.
set -euo pipefail

build=${1:-build-release}
rounds=${ROUNDS:-3}
cli=$build/cli/marlek-lotto-cli
wheel=(--kind 6 --full 60)
draw=(--draw 3,11,17,25,33,40)

now() { date +%s.%N; }
best() { sort -g | head -n 1; }
timed() {
    local start
    start=$(now)
    "$@" >/dev/null
    echo "$(now) - $start" | bc -l
}
# Processor time (user + system): steadier than the clock on a machine shared with other work.
cpu() {
    /usr/bin/time -f '%U %S' -o "$build/check-cpu" "$@" >/dev/null
    awk '{ print $1 + $2 }' "$build/check-cpu"
}

report_times=()
check_times=()
report_cpu=()
check_cpu=()
for ((round = 1; round <= rounds; round++)); do
    report_times+=("$(timed "$cli" report "${wheel[@]}")")
    check_times+=("$(timed "$cli" check "${wheel[@]}" "${draw[@]}")")
    report_cpu+=("$(cpu "$cli" report "${wheel[@]}")")
    check_cpu+=("$(cpu "$cli" check "${wheel[@]}" "${draw[@]}")")
done
rm -f "$build/check-cpu"
/usr/bin/time -f '%M' -o "$build/check-rss" "$cli" check "${wheel[@]}" "${draw[@]}" >/dev/null
rss=$(cat "$build/check-rss")
rm -f "$build/check-rss"

report=$(printf '%s\n' "${report_times[@]}" | best)
check=$(printf '%s\n' "${check_times[@]}" | best)
echo "report to /dev/null (best of $rounds): ${report} s   (all: ${report_times[*]})"
echo "check to /dev/null (best of $rounds):  ${check} s   (all: ${check_times[*]})"
printf 'time ratio check/report: %.2f  (goal <= 2)\n' "$(echo "$check / $report" | bc -l)"
report_cpu_best=$(printf '%s\n' "${report_cpu[@]}" | best)
check_cpu_best=$(printf '%s\n' "${check_cpu[@]}" | best)
printf 'processor time, best: report %s s, check %s s, ratio %.2f\n' "$report_cpu_best" \
    "$check_cpu_best" "$(echo "$check_cpu_best / $report_cpu_best" | bc -l)"
printf 'peak RSS of the check: %d kB = %.1f MB (goal < 16 MB)\n' "$rss" "$(echo "$rss / 1024" | bc -l)"

if [[ ${CHECK_FILE:-0} == 1 ]]; then
    file=$build/check-bench-report.txt
    trap 'rm -f "$file"' EXIT
    "$cli" report "${wheel[@]}" --out "$file"
    echo "check --report of the saved report (read twice: once to refuse a broken file before"
    echo "anything is printed): $(timed "$cli" check --report "$file" "${draw[@]}") s"
fi
