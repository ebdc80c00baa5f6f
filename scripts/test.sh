#!/usr/bin/env bash
# Builds everything and runs every test: unit and window tests offscreen, the end-to-end test in a
# real X window under Xvfb, then a short run of each fuzzer (seconds per fuzzer: first argument,
# 30 when absent, 0 to skip the fuzzers).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
fuzz_seconds="${1:-30}"

"$root/scripts/deps.sh" --test
cmake -S "$root" -B "$root/build-test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-test" -j"$(nproc)"
ctest --test-dir "$root/build-test" --output-on-failure -j1
if [[ "$fuzz_seconds" != "0" ]]; then
    "$root/scripts/fuzz.sh" "$fuzz_seconds"
fi
