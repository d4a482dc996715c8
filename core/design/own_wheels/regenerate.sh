#!/bin/bash
# Regenerates the program's own table of best wheels (the *.wheel files beside this script).
#
# For every shape it tries these ways and keeps the smallest proven wheel, never one larger than
# the file already there:
#  - a long search: `marlek-lotto-cli design` (which starts from the table's own wheel, so runs
#    add up),
#  - a search among wheels with a turn symmetry (`design --orbit H/B`), for every ring length H
#    with a count of tickets below the best so far and not below the best known,
#  - ten shorter searches, each with its own seed and a budget of one ticket fewer than the best
#    so far, by turns from the table's wheel and from a fresh start (`design --fresh-start`):
#    where the long search stays stuck at a wheel it cannot improve, some of these find a
#    smaller one, and
#  - a join of two smaller wheels on two parts of the numbers, by pigeonhole: when M numbers are
#    drawn over parts of A and B numbers, either at least S of them fall in the first part or at
#    least M - S + 1 in the second; so a wheel "T of S" on the first part beside a wheel
#    "T of M-S+1" on the second keeps "T of M" on all of them. The parts are designed briefly.
# Each kept wheel is proven by `marlek-lotto-cli verify --wheel-file`, and how it was made is
# written into sources.txt.
#
# Usage: regenerate.sh CLI [SECONDS [THREADS [SHAPE...]]]
#   CLI      the marlek-lotto-cli program of a Release build
#   SECONDS  search time per shape (default 600)
#   THREADS  searches at once (default 0: every core)
#   SHAPE    "K N T M", e.g. "6 20 3 6" (default: every shape of the list below)
set -euo pipefail

cli=${1:?usage: regenerate.sh CLI [SECONDS [THREADS [SHAPE...]]]}
seconds=${2:-600}
threads=${3:-0}
shift $(( $# < 3 ? $# : 3 ))
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The guarantees the catalogue has with N up to 20, and the best known's table beyond it.
shapes=("$@")
if [ ${#shapes[@]} -eq 0 ]; then
    shapes=(
        "5 11 3 5" "5 12 3 5" "5 15 3 5" "5 18 3 5" "5 20 3 5" "5 25 3 5"
        "5 8 4 5" "5 9 4 5" "5 10 4 5" "5 11 4 5" "5 12 4 5" "5 13 4 5" "5 14 4 5"
        "6 14 3 6" "6 17 3 6" "6 20 3 6" "6 23 3 6" "6 25 3 6"
        "6 12 4 6" "6 14 4 6" "6 16 4 6" "6 17 4 6" "6 18 4 6" "6 20 4 6"
        "6 8 5 6" "6 9 5 6" "6 10 5 6" "6 11 5 6" "6 12 5 6"
    )
fi

tickets_of() { # the ticket count of a wheel file (0 when there is none)
    if [ -s "$1" ]; then echo $(( $(wc -l < "$1") - 1 )); else echo 0; fi
}

# A wheel file without CRs, so the table's files are plain text lines.
design() { # K N T M SECONDS FILE [OPTION...]
    local k=$1 n=$2 t=$3 m=$4 time=$5 file=$6
    shift 6
    seed=$RANDOM
    "$cli" design --kind "$k" --numbers "$n" --guarantee "$t/$m" --seconds "$time" \
        --threads "$threads" --seed "$seed" "$@" > "$work/designed" 2> "$work/summary" || return 1
    tr -d '\r' < "$work/designed" > "$file"
}

# The best-known count the summary line of the last design names (0 when it names none).
best_known() {
    sed -n 's/.*; best known \([0-9]*\);.*/\1/p' "$work/summary" | grep . || echo 0
}

# The smallest part wheel found so far for "T of S" on A numbers, designed once.
part() { # K A T S
    local file="$work/part-$1-$2-$3-$4"
    [ -s "$file" ] || design "$1" "$2" "$3" "$4" "$part_seconds" "$file" || return 1
    echo "$file"
}

# Writes FIRST beside SECOND (its numbers moved up by FIRST's count) as one wheel "T of M".
join() { # FIRST SECOND T M OUT
    awk -v t="$3" -v m="$4" '
        FNR == 1 { if (NR == 1) { kind = $1; first = $2 } else { print kind, first + $2, t, m }
                   next }
        NR == FNR { tickets[++count] = $0; next }
        { if (!printed) { for (i = 1; i <= count; ++i) print tickets[i]; printed = 1 }
          line = $1 + first; for (i = 2; i <= NF; ++i) line = line " " ($i + first); print line }
    ' "$1" "$2" > "$5"
}

best_join() { # K N T M OUT: the smallest proven join, and how it was made on standard output
    local k=$1 n=$2 t=$3 m=$4 a s first second made="" fewest=0
    for (( a = k; a <= n - k; ++a )); do
        for (( s = t; s <= m - t + 1; ++s )); do
            [ "$s" -le "$a" ] && [ $(( m - s + 1 )) -le $(( n - a )) ] || continue
            first=$(part "$k" "$a" "$t" "$s") || continue
            second=$(part "$k" $(( n - a )) "$t" $(( m - s + 1 ))) || continue
            join "$first" "$second" "$t" "$m" "$work/joined"
            "$cli" verify --wheel-file "$work/joined" > /dev/null 2>&1 || continue
            local count; count=$(tickets_of "$work/joined")
            if [ "$fewest" -eq 0 ] || [ "$count" -lt "$fewest" ]; then
                fewest=$count
                cp "$work/joined" "$5"
                made="$t of $s on $a numbers beside $t of $(( m - s + 1 )) on $(( n - a ))"
            fi
        done
    done
    echo "$made"
}

part_seconds=$(( seconds / 20 > 5 ? seconds / 20 : 5 ))
orbit_seconds=$(( seconds / 20 > 5 ? seconds / 20 : 5 ))
restarts=10
restart_seconds=$(( seconds / restarts > 5 ? seconds / restarts : 5 ))
for shape in "${shapes[@]}"; do
    read -r k n t m <<< "$shape"
    name="k$k-n$n-${t}of$m.wheel"
    target="$here/$name"
    before=$(tickets_of "$target")
    how=""
    known=0
    if design "$k" "$n" "$t" "$m" "$seconds" "$work/searched" &&
        "$cli" verify --wheel-file "$work/searched" > /dev/null 2>&1; then
        how="search of $seconds s at most, seed $seed, threads $threads"
        cp "$work/searched" "$work/best"
        known=$(best_known)
    fi
    if [ -n "$how" ] && [ "$known" -gt 0 ]; then
        for (( h = 2; h <= n; ++h )); do
            fewest=$(tickets_of "$work/best")
            b=$(( (fewest - 1) / h ))
            [ "$b" -ge 1 ] && [ $(( b * h )) -ge "$known" ] || continue
            if design "$k" "$n" "$t" "$m" "$orbit_seconds" "$work/turned" --orbit "$h/$b" &&
                "$cli" verify --wheel-file "$work/turned" > /dev/null 2>&1; then
                how="turn search --orbit $h/$b, seed $seed"
                cp "$work/turned" "$work/best"
            fi
        done
    fi
    if [ -n "$how" ]; then
        for (( r = 0; r < restarts; ++r )); do
            budget=$(( $(tickets_of "$work/best") - 1 ))
            [ "$budget" -ge "$known" ] && [ "$budget" -ge 1 ] || break
            start=(--fresh-start)
            from="a greedy start"
            if [ $(( r % 2 )) -eq 0 ]; then
                start=()
                from="the table's wheel"
            fi
            if design "$k" "$n" "$t" "$m" "$restart_seconds" "$work/fresh" "${start[@]}" \
                --tickets "$budget" &&
                "$cli" verify --wheel-file "$work/fresh" > /dev/null 2>&1; then
                how="search from $from at a budget of $budget tickets,"
                how="$how $restart_seconds s at most, seed $seed, threads $threads"
                cp "$work/fresh" "$work/best"
            fi
        done
    fi
    # A join needs M above T; none is tried for a wheel already at the best known.
    at_best=""
    [ -n "$how" ] && [ "$(tickets_of "$work/best")" -le "$known" ] && at_best=yes
    if [ -z "$at_best" ] && [ "$m" -gt "$t" ] &&
        made=$(best_join "$k" "$n" "$t" "$m" "$work/joined-best") && [ -n "$made" ]; then
        if [ -z "$how" ] ||
            [ "$(tickets_of "$work/joined-best")" -lt "$(tickets_of "$work/best")" ]; then
            how="join of $made"
            cp "$work/joined-best" "$work/best"
        fi
    fi
    [ -n "$how" ] || { echo "$name: nothing found"; continue; }
    after=$(tickets_of "$work/best")
    if [ "$before" -eq 0 ] || [ "$after" -lt "$before" ]; then
        cp "$work/best" "$target"
        grep -v "^$name:" "$here/sources.txt" 2> /dev/null > "$work/sources" || true
        echo "$name: $after tickets, $how ($(date -u +%Y-%m-%d))" >> "$work/sources"
        sort -V "$work/sources" > "$here/sources.txt"
        echo "$name: $after tickets (was $before), $how"
    else
        echo "$name: kept $before tickets ($how gave $after)"
    fi
done
