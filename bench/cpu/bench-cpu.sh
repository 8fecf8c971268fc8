#!/usr/bin/env bash
# CPU share of a core taken by the program, and by the X server, while the
# pointer follows a fixed path over a busy picture and then while it rests.
# Each run has a private Xvfb and a private copy of the program's folder;
# the figures are the median of RUNS runs (3).
#
#   bench/cpu/bench-cpu.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
runs=${RUNS:-3}
steps=${STEPS:-200}
seconds=${SECONDS_PER_PHASE:-12.7}
driver=$build/bench/x_driver
for f in "$build/huebird-lite" "$driver"; do
  [ -x "$f" ] || { echo "bench-cpu: $f is missing" >&2; exit 2; }
done

. "$(cd "$(dirname "$0")" && pwd)/measure-lib.sh"
use_scratch
now_ns() { date +%s%N; }

measure() { # pid pid command... -> "app% server%"
  local app=$1 server=$2; shift 2
  local a0 s0 t0 a1 s1 t1
  a0=$(cpu_ns "$app"); s0=$(cpu_ns "$server"); t0=$(now_ns)
  "$@"
  a1=$(cpu_ns "$app"); s1=$(cpu_ns "$server"); t1=$(now_ns)
  echo "$(percent $((a1 - a0)) $((t1 - t0))) $(percent $((s1 - s0)) $((t1 - t0)))"
}

moving_app=() moving_server=() rest_app=() rest_server=() rss=()
for run in $(seq 1 "$runs"); do
  start_on_own_x "$work/run$run"

  read -r ma ms < <(measure "$app" "$server" "$driver" path "$steps" "$seconds")
  read -r ra rs < <(measure "$app" "$server" "$driver" rest 200 200 "$seconds")
  rss+=("$(awk '/VmRSS/ { printf "%.1f", $2 / 1024 }' /proc/"$app"/status)")
  moving_app+=("$ma") moving_server+=("$ms") rest_app+=("$ra") rest_server+=("$rs")
  echo "run $run: moving program ${ma}% server ${ms}%, at rest program ${ra}% server ${rs}%, resident ${rss[-1]} MB"

  kill "$app"; wait "$app" 2>/dev/null || true
  kill "$server"; wait "$server" 2>/dev/null || true
  exec 5>&-
done

echo "median of $runs runs ($steps pointer steps over ${seconds} s, then ${seconds} s at rest; % of one core):"
echo "  moving:  program $(echo "${moving_app[*]}" | median) %   X server $(echo "${moving_server[*]}" | median) %"
echo "  at rest: program $(echo "${rest_app[*]}" | median) %   X server $(echo "${rest_server[*]}" | median) %"
echo "  resident memory of the program: $(echo "${rss[*]}" | median) MB"
