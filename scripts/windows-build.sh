#!/usr/bin/env bash
# Configures and builds the Windows tree (cross-compiled, Release) with what
# scripts/windows-deps.sh brings into its cache.
# Usage: windows-build.sh [--if-at-hand] BUILD_DIR TARGET...
#   --if-at-hand  where Qt for Windows is neither cached nor beside the
#                 repository, say so in one line, build nothing and leave
#                 no BUILD_DIR/wine-tests marker (make test then runs the
#                 Linux tests only); otherwise build, then leave the marker.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
at_hand=
if [ "${1:-}" = --if-at-hand ]; then
    at_hand=--if-at-hand
    shift
fi
build=$1
shift
status=0
cache=$(bash "$root/scripts/windows-deps.sh" $at_hand) || status=$?
if [ "$status" -eq 3 ]; then
    rm -f "$build/wine-tests"
    echo "windows: no Qt for Windows at hand, so the Wine tests do not run: \`make windows\` builds it first (about an hour)"
    exit 0
fi
[ "$status" -eq 0 ] || exit "$status"

cmake -S "$root" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-toolchain.cmake" \
    -DHB_WINDOWS_PREFIXES="$cache/qt6-mingw-6.4.2;$cache/libjpeg-turbo-mingw" \
    -DQT_HOST_PATH=/usr -DCMAKE_BUILD_TYPE=Release -DHB_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "${JOBS:-2}" --target "$@"
if [ -n "$at_hand" ]; then
    touch "$build/wine-tests"
fi
