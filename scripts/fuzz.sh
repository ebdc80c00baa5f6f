#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for ${1:-30} seconds.
# A long run by hand: HIBIMO_FUZZ_RUNS=10000000 ./scripts/fuzz.sh gives every reader ten million
# inputs instead. fuzz_share_files hands each input to one of its four readers, so it runs four times
# as many. The readers work on bytes in memory and nothing touches a file. Under the sanitizers on
# two cores, 30 s from the seeds gave (inputs a second): colour files 85,300, listing 27,600, lists
# 25,200, share files 26,000, year file 8,300. The year file stays well under 20,000: each input it
# accepts is a round trip of some 750 records, read twice and written twice. Ten million inputs take some 3 minutes (colour files) to 8 minutes (lists)
# a target, the year file about 25 and the share files' forty million about 35; a long run grows
# its inputs and slows down.
# Seeds come from fuzz/corpus/<name without fuzz_>/; what a run finds goes to a scratch corpus
# under the build folder, so the repository stays clean. Exits non-zero when a target fails.
set -euo pipefail
shopt -s nullglob
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
build="${HIBIMO_FUZZ_BUILD:-$root/build-fuzz}"

CXX="${CXX:-clang++}" cmake -S "$root" -B "$build" -G Ninja -DHIBIMO_FUZZ=ON >/dev/null
cmake --build "$build" -j2

# ASan keeps the stack of every allocation for its reports, and with readers that allocate a string
# per record that bookkeeping took a third of the share files' time. A run only needs to find a
# fault: the reproducer it saves, run again without this setting, gives the full report.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0}"

status=0
for target in "$build"/fuzz/fuzz_*; do
    [[ -f "$target" && -x "$target" ]] || continue
    name="$(basename "$target")"
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    # A seed the scratch corpus already holds is left as it is.
    for seed in "$root/fuzz/corpus/${name#fuzz_}"/*; do
        [[ -e "$corpus/$(basename "$seed")" ]] || cp "$seed" "$corpus/"
    done
    if [[ -n "${HIBIMO_FUZZ_RUNS:-}" ]]; then
        runs="$HIBIMO_FUZZ_RUNS"
        [[ "$name" == fuzz_share_files ]] && runs=$((runs * 4))
        limit=(-runs="$runs")
        echo "== $name for $runs runs"
    else
        limit=(-max_total_time="$seconds")
        echo "== $name for $seconds s"
    fi
    log="$build/$name.log"
    if (cd "$build" && "$target" "${limit[@]}" -print_final_stats=1 "$corpus" >"$log" 2>&1); then
        grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec)' "$log" || tail -n 2 "$log"
    else
        # A crash: show what the fuzzer found (the reproducer is saved in the build folder).
        tail -n 40 "$log"
        echo "Full report with allocation stacks: ASAN_OPTIONS= $target <the crash- file above>"
        status=1
    fi
done
exit "$status"
