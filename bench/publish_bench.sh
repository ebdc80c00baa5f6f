#!/usr/bin/env bash
# The publishing figures need a CalDAV server: this runs them beside a local Radicale.
#   bench/publish_bench.sh [build folder, default build-test] [baseline build folder]
# With a baseline, its benchmark runs first beside the same server (in a collection of its own), so
# that before and after come from one run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-test}"
baseline="${2:-}"
# shellcheck disable=SC2016
"$root/tests/sharing/with_services.sh" bash -c '
    if [ -n "$2" ]; then echo "== baseline"; HIBIMO_BENCH_NAME=before "$2/bench/hibimo-bench" --publish; fi
    echo "== this build"; HIBIMO_BENCH_NAME=after "$1/bench/hibimo-bench" --publish' bench "$build" "$baseline"
