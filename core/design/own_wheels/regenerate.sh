#!/bin/bash
# Regenerates the program's own table of best wheels (the *.wheel files beside this script) for
# every guarantee "T of M" with 2 <= T <= M <= K, K = 5 and 6, on K+1 to 30 numbers; a guarantee
# whose lower bound is above 2,000 tickets is left to the live search.
#
# Each guarantee is one job: `marlek-lotto-cli design`, which starts from the smallest of the
# table's wheel and the wheels it constructs (known designs, numbers taken out, joins over every
# split, see core/design/constructions.h) and searches until SECONDS or the best known or the
# lower bound; then, while still above the best known, a search at a budget of one ticket fewer.
# The jobs run in waves of N, smallest first, each wave on every local core, so that the joins of
# a wave are made of the wheels the waves before it found (the jobs read the table from this
# folder through MARLEK_OWN_WHEELS_DIR).
#
# More machines: with MARLEK_SSH_LOGINS="host1,host2" the jobs run through GNU parallel over ssh
# (the same CLI path and this folder must be at hand on each host). Or as a Slurm job array, one
# guarantee a task, into a shared folder, merged afterwards:
#   sbatch --array=0-$(( $(regenerate.sh --list | wc -l) - 1 )) --wrap \
#     'regenerate.sh --task CLI SECONDS RESULTS'
#   regenerate.sh --merge CLI RESULTS
# Merging keeps the smaller proven wheel (`marlek-lotto-cli verify --wheel-file` proves each), never
# a larger one than the file already here, and writes how each was made into sources.txt.
#
# Usage: regenerate.sh CLI [SECONDS [JOBS [SHAPE...]]]
#   CLI      the marlek-lotto-cli program of a Release build
#   SECONDS  search time per guarantee (default 60)
#   JOBS     jobs at once (default: every core)
#   SHAPE    "K N T M", e.g. "6 20 3 6" (default: every guarantee of the scope)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
export MARLEK_OWN_WHEELS_DIR="$here"
most_tickets=2000

schoenheim() { # V K T: Schönheim's bound for "T of T"
    awk -v v="$1" -v k="$2" -v t="$3" 'BEGIN {
        b = 1
        for (i = t - 1; i >= 0; --i) { x = (v - i) * b; y = k - i; b = int((x + y - 1) / y) }
        print b }'
}

list_shapes() { # every guarantee of the scope, by N
    for n in $(seq 6 30); do
        for k in 5 6; do
            [ "$n" -gt "$k" ] || continue
            for t in $(seq 2 "$k"); do
                for m in $(seq "$t" "$k"); do
                    if [ "$t" -eq "$m" ] && [ "$(schoenheim "$n" "$k" "$t")" -gt "$most_tickets" ]; then
                        continue
                    fi
                    echo "$k $n $t $m"
                done
            done
        done
    done
}

tickets_of() { # the ticket count of a wheel file (0 when there is none)
    if [ -s "$1" ]; then echo $(( $(wc -l < "$1") - 1 )); else echo 0; fi
}

# One guarantee: designs into OUT/NAME.wheel with the summary in OUT/NAME.summary.
run_job() { # CLI SECONDS OUT K N T M
    local cli=$1 seconds=$2 out=$3 k=$4 n=$5 t=$6 m=$7
    local name="k$k-n$n-${t}of$m" seed=$(( RANDOM + 1 ))
    if "$cli" design --kind "$k" --numbers "$n" --guarantee "$t/$m" --seconds "$seconds" \
        --threads 1 --seed "$seed" > "$out/$name.designed" 2> "$out/$name.summary"; then
        tr -d '\r' < "$out/$name.designed" > "$out/$name.wheel"
        echo "seed $seed" >> "$out/$name.summary"
    fi
    rm -f "$out/$name.designed"
    # Still above the best known: a search at a budget of one ticket fewer.
    local known count
    known=$(sed -n 's/.*; best known \([0-9]*\);.*/\1/p' "$out/$name.summary" | head -1)
    count=$(tickets_of "$out/$name.wheel")
    if [ -n "$known" ] && [ "$count" -gt "$known" ] &&
        "$cli" design --kind "$k" --numbers "$n" --guarantee "$t/$m" --seconds "$seconds" \
            --threads 1 --seed "$seed" --tickets $(( count - 1 )) \
            > "$out/$name.budget" 2> "$out/$name.budget-summary" &&
        ! grep -q "meets the guarantee for" "$out/$name.budget-summary"; then
        tr -d '\r' < "$out/$name.budget" > "$out/$name.wheel"
        sed 's/; from the search;/; from a search at a budget of '$(( count - 1 ))' tickets;/' \
            "$out/$name.budget-summary" > "$out/$name.summary"
    fi
    rm -f "$out/$name.budget" "$out/$name.budget-summary"
}

# Keeps each proven wheel of OUT that is smaller than the table's (or new), and says how it was
# made in sources.txt.
merge() { # CLI OUT
    local cli=$1 out=$2 file name before after how
    for file in "$out"/*.wheel; do
        [ -e "$file" ] || continue
        name=$(basename "$file")
        before=$(tickets_of "$here/$name")
        after=$(tickets_of "$file")
        [ "$after" -gt 0 ] && [ "$after" -le "$most_tickets" ] || continue
        [ "$before" -eq 0 ] || [ "$after" -lt "$before" ] || continue
        "$cli" verify --wheel-file "$file" > /dev/null 2>&1 || { echo "$name: not proven"; continue; }
        how=$(sed -n 's/.*; from \(.*\); [0-9.]* s.*/\1/p' "${file%.wheel}.summary" | head -1)
        how="${how:-the search}, $(grep -o 'seed [0-9]*' "${file%.wheel}.summary" | head -1)"
        cp "$file" "$here/$name"
        { grep -v "^$name:" "$here/sources.txt" 2> /dev/null || true
          echo "$name: $after tickets, $how ($(date -u +%Y-%m-%d))"; } | sort -V > "$out/sources"
        cp "$out/sources" "$here/sources.txt"
        echo "$name: $after tickets (was $before), $how"
    done
}

case "${1:-}" in
--list)
    list_shapes
    exit 0
    ;;
--task) # one task of a Slurm job array
    shape=$(list_shapes | sed -n "$(( SLURM_ARRAY_TASK_ID + 1 ))p")
    mkdir -p "$4"
    # shellcheck disable=SC2086
    run_job "$2" "$3" "$4" $shape
    exit 0
    ;;
--merge)
    merge "$2" "$3"
    exit 0
    ;;
esac

cli=${1:?usage: regenerate.sh CLI [SECONDS [JOBS [SHAPE...]]]}
cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")
seconds=${2:-60}
jobs=${3:-$(nproc)}
shift $(( $# < 3 ? $# : 3 ))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -gt 0 ]; then printf '%s\n' "$@" > "$work/shapes"; else list_shapes > "$work/shapes"; fi
export -f run_job tickets_of

for n in $(awk '{ print $2 }' "$work/shapes" | sort -n -u); do
    mkdir -p "$work/$n"
    if [ -n "${MARLEK_SSH_LOGINS:-}" ]; then
        awk -v n="$n" '$2 == n' "$work/shapes" |
            parallel --sshlogin "$MARLEK_SSH_LOGINS" --jobs "$jobs" --colsep ' ' \
                --env run_job --env tickets_of --env MARLEK_OWN_WHEELS_DIR \
                run_job "$cli" "$seconds" "$work/$n" {1} {2} {3} {4}
    else
        awk -v n="$n" '$2 == n' "$work/shapes" |
            xargs -P "$jobs" -L 1 bash -c 'run_job "$0" "$1" "$2" "$3" "$4" "$5" "$6"' \
                "$cli" "$seconds" "$work/$n"
    fi
    merge "$cli" "$work/$n"
done
