#!/usr/bin/env bash
# Runs every test through ctest. The desktop tests start an X server each
# (tests/desktop/on-own-x-server.sh); the others need none.
# Usage: run-tests.sh [build-dir] [more ctest arguments, e.g. -R desktop]
set -euo pipefail
build=${1:-build-test}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$build"
exec ctest --output-on-failure -j 2 "$@"
