#!/usr/bin/env bash
# Where the program's CPU goes while the pointer follows the benchmark's path
# and while it rests: perf samples of each phase (user space), with the same
# private Xvfb, busy picture and pointer path as bench-cpu.sh. Build with frame
# pointers for readable call chains, e.g.
#   cmake -S . -B build-prof -DCMAKE_BUILD_TYPE=RelWithDebInfo \
#         -DCMAKE_CXX_FLAGS=-fno-omit-frame-pointer -DHB_BUILD_TESTS=OFF
#   cmake --build build-prof --target huebird-lite x_driver
#   bench/cpu/profile-cpu.sh build-prof OUT_DIR
# OUT_DIR gets moving.data, rest.data and a text summary of each; each phase
# runs PASSES times (3), sampled FREQ times a second (999).
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
out=$(mkdir -p "${2:?output folder}" && cd "$2" && pwd)
steps=${STEPS:-200}
seconds=${SECONDS_PER_PHASE:-12.7}
driver=$build/bench/x_driver

. "$(cd "$(dirname "$0")" && pwd)/measure-lib.sh"
use_scratch
start_on_own_x "$work"

profile() { # name command...
  local name=$1; shift
  perf record -q -F "${FREQ:-999}" --call-graph dwarf,16384 -e cpu-clock:u -p "$app" -o "$out/$name.data" 2> /dev/null &
  local perf=$!
  sleep 0.3
  "$@"
  kill -INT "$perf"; wait "$perf" || true
  perf report -i "$out/$name.data" --no-children --sort dso,sym --percent-limit 0.7 --stdio -g none \
    2> /dev/null | grep -v '^$' > "$out/$name.txt" || true
  perf report -i "$out/$name.data" --children --sort sym --percent-limit 3 --stdio -g none \
    2> /dev/null | grep -v '^$' > "$out/$name-children.txt" || true
}
passes() { for _ in $(seq "${PASSES:-3}"); do "$@"; done; }
profile moving passes "$driver" path "$steps" "$seconds"
profile rest passes "$driver" rest 200 200 "$seconds"
echo "profiles in $out"
