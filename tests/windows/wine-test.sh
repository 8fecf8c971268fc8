#!/usr/bin/env bash
# One check of the Windows build under Wine, in a Wine prefix of its own: a
# copy of one prepared per build tree (a prefix's first start takes half a
# minute). The portable and installer checks need an X server
# (tests/desktop/on-own-x-server.sh gives each its own).
# Usage: wine-test.sh unit|portable|installer WINDOWS_BUILD_DIR
set -euo pipefail
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
kind=$1
build=$(cd "$2" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project(HuebirdLite VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
package=HuebirdLite-$version-win64

# No prompts to install Mono or Gecko, no debug chatter; the program's
# settings never reach the real home folder.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d "${TMPDIR:-/tmp}/hb-wine.XXXXXX")
export WINEPREFIX=$work/prefix HOME=$work/home
mkdir -p "$HOME"
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

. "$(dirname "$0")/wine-prefix.sh"

# Starts the program, waits for its main window, closes it as Windows does
# (WM_CLOSE) and waits for it to end.
start_and_close() {
    local exe=$1
    wine "$exe" >"$work/program.log" 2>&1 &
    local pid=$! shown=
    for _ in $(seq 1 120); do
        if xdotool search --name '^Huebird v' >/dev/null 2>&1; then
            shown=1
            break
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.5
    done
    [ -n "$shown" ] || { cat "$work/program.log" >&2; fail "no main window from $exe"; }
    wine taskkill /im huebird-lite.exe >/dev/null 2>&1
    for _ in $(seq 1 60); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.5
    done
    if kill -0 "$pid" 2>/dev/null; then
        fail "$exe did not close"
    fi
    wait "$pid" || fail "$exe ended with status $?"
}

expect_version() {
    local out
    out=$(wine "$1" --version 2>&1 | tr -d '\r') || fail "$1 --version failed: $out"
    [ "$out" = "$2 $version" ] || fail "$1 --version said: $out"
}

prepare_prefix "$build"
users=$WINEPREFIX/drive_c/users/$(id -un)
case $kind in
unit)
    cd "$root"
    HB_SOURCE_DIR=$root HB_TEST_DATA=$root/tests/data wine "$build/tests/unit_tests.exe" --gtest_brief=1
    ;;
portable)
    # Unpacked where a user would put it, with nothing else on the path.
    cmake -E chdir "$WINEPREFIX/drive_c" cmake -E tar xf "$build/$package-portable.zip"
    dir=$WINEPREFIX/drive_c/$package
    [ -f "$dir/portable" ] || fail "the zip has no portable marker"
    expect_version "$dir/huebird-lite.exe" huebird-lite
    expect_version "$dir/huebird-code.exe" huebird-code
    start_and_close "$dir/huebird-lite.exe"
    grep -q '^\[General\]' "$dir/HuebirdLite.ini" || fail "no settings beside the program"
    [ ! -e "$users/AppData/Roaming/Huebird Lite" ] || fail "the portable copy wrote to %APPDATA%"
    ;;
installer)
    wine "$build/$package-setup.exe" /S
    wineserver -w
    installed="$users/AppData/Local/Programs/Huebird Lite"
    link="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Huebird Lite.lnk"
    uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\HuebirdLite'
    run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
    [ -f "$installed/huebird-lite.exe" ] || fail "nothing installed in $installed"
    [ -f "$installed/platforms/qwindows.dll" ] || fail "no platform plugin installed"
    [ ! -e "$installed/portable" ] || fail "the installed copy carries the portable marker"
    [ -f "$link" ] || fail "no Start menu entry"
    wine reg query "$uninstall" /v DisplayVersion 2>/dev/null | grep -q "$version" ||
        fail "no uninstall entry for $version"

    expect_version "$installed/huebird-lite.exe" huebird-lite
    start_and_close "$installed/huebird-lite.exe"
    [ ! -e "$installed/HuebirdLite.ini" ] || fail "the installed copy keeps its settings beside the program"

    # The user's settings and "Start at login" as a run of the program leaves them.
    settings="$users/AppData/Roaming/Huebird Lite/HuebirdLite.ini"
    mkdir -p "$(dirname "$settings")"
    [ -f "$settings" ] || printf '[General]\r\nLanguage=en\r\n' >"$settings"
    wine reg add "$run" /v "Huebird Lite" /d "\"C:\\somewhere\\huebird-lite.exe\"" /f >/dev/null 2>&1

    wine "$installed/uninstall.exe" /S
    wineserver -w
    [ ! -e "$installed" ] || { find "$installed" >&2; fail "the uninstaller left files behind"; }
    [ ! -e "$link" ] || fail "the uninstaller left the Start menu entry"
    ! wine reg query "$uninstall" >/dev/null 2>&1 || fail "the uninstaller left its entry"
    ! wine reg query "$run" /v "Huebird Lite" >/dev/null 2>&1 || fail "the uninstaller left \"Start at login\""
    [ -f "$settings" ] || fail "the uninstaller removed the user's settings"
    ;;
*)
    fail "unknown check $kind"
    ;;
esac
echo "windows $kind: passed"
