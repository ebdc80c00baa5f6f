#!/usr/bin/env bash
# Builds everything and runs every test: unit and window tests offscreen, the end-to-end test in a
# real X window under Xvfb, then a short run of each fuzzer (seconds per fuzzer: first argument).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
fuzz_seconds="${1:-30}"

"$here/scripts/deps.sh" --test
cmake -S "$here" -B "$here/build-test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build-test" -j"$(nproc)"
ctest --test-dir "$here/build-test" --output-on-failure -j1
if [ "$fuzz_seconds" != "0" ]; then
    "$here/scripts/fuzz.sh" "$fuzz_seconds"
fi
