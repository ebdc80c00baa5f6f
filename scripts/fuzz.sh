#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for ${1:-30} seconds.
# A long run by hand: HIBIMO_FUZZ_RUNS=10000000 ./scripts/fuzz.sh runs every target for ten million
# inputs instead. The readers work on bytes in memory; under the sanitizers on two cores they ran
# 13,000-18,000 inputs a second, the year file about 3,800, so ten million take ten minutes to
# three quarters of an hour a target.
# Seeds come from fuzz/corpus/<name without fuzz_>/; what a run finds goes to a scratch corpus
# under the build folder, so the repository stays clean. Exits non-zero when a target fails.
set -euo pipefail
shopt -s nullglob
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
build="${HIBIMO_FUZZ_BUILD:-$root/build-fuzz}"

CXX="${CXX:-clang++}" cmake -S "$root" -B "$build" -G Ninja -DHIBIMO_FUZZ=ON >/dev/null
cmake --build "$build" -j2

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
        limit=(-runs="$HIBIMO_FUZZ_RUNS")
        echo "== $name for $HIBIMO_FUZZ_RUNS runs"
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
        status=1
    fi
done
exit "$status"
