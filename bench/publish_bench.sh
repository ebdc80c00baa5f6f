#!/usr/bin/env bash
# The publishing figures need a CalDAV server: this runs them beside a local Radicale.
#   bench/publish_bench.sh [build folder, default build-test]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-test}"
"$root/tests/sharing/with_services.sh" "$build/bench/hibimo-bench" --publish
