#!/usr/bin/env bash
# Runs the test suite N times in a row, as `make test` runs it, and counts the
# failures of each test, so that a flaky test shows as a number.
# Usage: repeat-tests.sh N [ctest -R pattern]     (BUILD=build-test by default)
set -uo pipefail
runs=${1:?usage: repeat-tests.sh N [ctest -R pattern]}
pattern=${2:-}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$root" && cd "${BUILD:-build-test}" && pwd)
logs=$(mktemp -d "${TMPDIR:-/tmp}/repeat-tests.XXXXXX")
failed_log="$build/Testing/Temporary/LastTestsFailed.log"
declare -A failures=()
bad_runs=0
for ((run = 1; run <= runs; ++run)); do
  rm -f "$failed_log"
  start=$SECONDS
  args=()
  [ -n "$pattern" ] && args=(-R "$pattern")
  bash "$root/scripts/run-tests.sh" "$build" "${args[@]}" >"$logs/run-$run.log" 2>&1
  status=$?
  summary=$(grep -E '^[0-9]+% tests passed' "$logs/run-$run.log" | tail -n 1)
  names=()
  if [ -f "$failed_log" ]; then
    # Lines are "number:name".
    while IFS=: read -r _ name; do
      [ -n "$name" ] && names+=("$name")
    done <"$failed_log"
  fi
  if [ "$status" -ne 0 ] && [ ${#names[@]} -eq 0 ]; then
    names=("(ctest itself, status $status)")
  fi
  for name in "${names[@]}"; do
    failures[$name]=$((${failures[$name]:-0} + 1))
  done
  [ ${#names[@]} -gt 0 ] && bad_runs=$((bad_runs + 1))
  printf 'run %d of %d: %s in %d s%s\n' "$run" "$runs" "${summary:-no summary}" $((SECONDS - start)) \
    "$([ ${#names[@]} -gt 0 ] && printf ' - failed: %s' "${names[*]}")"
done
echo "passed $((runs - bad_runs)) of $runs runs; logs in $logs"
if [ ${#failures[@]} -gt 0 ]; then
  echo "failures per test:"
  for name in "${!failures[@]}"; do
    printf '  %3d  %s\n' "${failures[$name]}" "$name"
  done | sort -k1,1nr -k2
  exit 1
fi
