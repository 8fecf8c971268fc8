#!/usr/bin/env bash
# Fuzzes every reader of outside text with libFuzzer (clang, ASan, UBSan).
#   scripts/fuzz.sh run      every target for FUZZ_SECONDS (default 120) each
#   scripts/fuzz.sh brief    replays the kept crash inputs, then every target
#                            for FUZZ_SECONDS (default 3) each, from the seeds only
#   scripts/fuzz.sh seeds    rewrites the seed codes of every notation
# A crash input lands in tests/fuzz/regressions/<target>/ and is replayed by
# every later run; keep it there once the fault is fixed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
mode=${1:-run}
corpus=$root/tests/fuzz/corpus
regressions=$root/tests/fuzz/regressions

build_targets() {
    cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 >/dev/null
    local names=()
    for t in $(targets); do names+=("fuzz_$t"); done
    cmake --build "$build" -j "${FUZZ_JOBS:-2}" --target "${names[@]}" "$@" >"$build/build.log" 2>&1 || {
        tail -n 40 "$build/build.log" >&2
        echo "fuzz: the fuzz targets do not build" >&2
        return 1
    }
}

targets() {
    for src in "$root"/tests/fuzz/fuzz_*.cpp; do
        basename "$src" .cpp | sed 's/^fuzz_//'
    done
}

# Every kept crash input must now pass.
replay() {
    local t=$1 dir=$regressions/$1
    [ -d "$dir" ] || return 0
    local files=("$dir"/*)
    [ -e "${files[0]}" ] || return 0
    "$build/fuzz_$t" -runs=1 "${files[@]}" >"$build/replay-$t.log" 2>&1 || {
        cat "$build/replay-$t.log" >&2
        echo "fuzz: $t fails again on a kept input in $dir" >&2
        return 1
    }
    echo "fuzz: $t replays ${#files[@]} kept input(s)"
}

fuzz_one() {
    local t=$1 seconds=$2 work=$3
    mkdir -p "$work" "$regressions/$t"
    local log=$build/fuzz-$t.log
    if ! "$build/fuzz_$t" "$work" "$corpus/$t" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$regressions/$t/" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "fuzz: $t FAILED; the input is kept in tests/fuzz/regressions/$t/" >&2
        return 1
    fi
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    printf 'fuzz: %-14s %10s executions in %ss, corpus %s inputs\n' "$t" "${runs:-?}" "$seconds" \
        "$(find "$work" -type f | wc -l)"
}

write_seeds() {
    local tool=${HB_CODE_TOOL:-$build/huebird-code}
    local out=$corpus/color_code
    mkdir -p "$out"
    rm -f "$out"/code-*
    # Colour values 0x00BBGGRR: greys, primaries, mixtures and odd values.
    local values=(0 0xFFFFFF 0x0000FF 0x00FF00 0xFF0000 0x0080FF 0x808080 0x7F7F7F 0x010203 0xFEFDFC
        0x123456 0xABCDEF 0x00FFFF 0xFF00FF 0x336699 0x996633 0x0A0B0C 0xC0C0C0)
    local sep index=0 b
    for sep in . ,; do
        while IFS= read -r line; do
            local fmt=0
            IFS=$'\t' read -r -a codes <<<"$line"
            for code in "${codes[@]}"; do
                b=$([ "$sep" = "," ] && echo 1 || echo 0)
                { printf "\\x$(printf %02x "$fmt")\\x$(printf %02x "$b")"; printf '%s' "$code"; } \
                    >"$out/code-$fmt-$b-$index"
                fmt=$((fmt + 1))
            done
            index=$((index + 1))
        done < <(printf '%s\n' "${values[@]}" | "$tool" --all --decimal-separator "$sep")
    done
    echo "fuzz: $(ls "$out" | wc -l) seed codes in $out"
}

case $mode in
run)
    build_targets
    seconds=${FUZZ_SECONDS:-120}
    failed=0
    for t in $(targets); do replay "$t" || failed=1; done
    for t in $(targets); do fuzz_one "$t" "$seconds" "$build/corpus/$t" || failed=1; done
    exit $failed
    ;;
brief)
    build_targets
    seconds=${FUZZ_SECONDS:-3}
    failed=0
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    for t in $(targets); do replay "$t" || failed=1; done
    for t in $(targets); do fuzz_one "$t" "$seconds" "$scratch/$t" || failed=1; done
    exit $failed
    ;;
seeds)
    build_targets huebird-code
    write_seeds
    ;;
*)
    echo "usage: $0 run|brief|seeds" >&2
    exit 2
    ;;
esac
