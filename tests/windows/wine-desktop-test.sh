#!/usr/bin/env bash
# The Windows build under Wine on a private X server: it starts with the main
# window's client area of 276 x 131, follows the pointer over a painted root
# window, captures with the hotkey while it has the focus and with --capture
# from a second process, saves a list through File > Save color list, keeps
# its settings beside the executable (portable marker) when the session ends,
# and a second start says it is already in use.
# Wine cannot show two things a real Windows machine must: the hotkey while
# another application has the focus (Wine delivers WM_HOTKEY only while one
# of its own windows has it), and the pixel under the pointer on monitors of
# different scales (Wine has one scale).
#
# Usage: wine-desktop-test.sh WINDOWS_BUILD_DIR [QT_PREFIX]
#   runs the build's portable folder (HuebirdLite-<version>-win64/), or, where
#   it has none, its huebird-lite.exe with the DLLs of QT_PREFIX, in a copy of
#   the build's prepared Wine prefix (as tests/windows/wine-test.sh makes it).
# HB_WINE_SCREENSHOT=FILE keeps a picture of the window.
set -euo pipefail

build=$(cd "$1" && pwd)
qt=${2:-}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d "${TMPDIR:-/tmp}/hb-wine-desktop.XXXXXX")
export WINEPREFIX=$work/prefix HOME=$work/home
app=$work/app
xvfb_pid=
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    [ -n "${HB_KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

# Waits up to $1 tenths of a second for the command to succeed.
wait_for() {
    local tenths=$1; shift
    for ((i = 0; i < tenths; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

. "$(dirname "$0")/wine-prefix.sh"

# --- the program folder, with the portable marker
portable=$(find "$build" -maxdepth 1 -type d -name 'HuebirdLite-*-win64' | head -1)
if [ -n "$portable" ] && [ -f "$portable/huebird-lite.exe" ]; then
    cp -r "$portable" "$app"
else
    [ -n "$qt" ] || fail "no portable folder in $build and no Qt prefix given"
    mkdir -p "$app"
    cp "$build/huebird-lite.exe" "$app/"
    cp -r "$build/language" "$build/help" "$build/palettes" "$app/"
    cp "$qt"/bin/Qt6{Core,Gui,Widgets,Network}.dll "$app/"
    for plugin in platforms/qwindows styles/qwindowsvistastyle imageformats/qjpeg; do
        mkdir -p "$app/$(dirname $plugin)"
        cp "$qt/plugins/$plugin.dll" "$app/$(dirname $plugin)/"
    done
    # Qt's DLLs link the compiler's runtime dynamically.
    for dll in libgcc_s_seh-1 libstdc++-6 libwinpthread-1; do
        found=$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll.dll)
        [ -f "$found" ] || found=/usr/x86_64-w64-mingw32/lib/$dll.dll
        cp "$found" "$app/"
    done
fi
touch "$app/portable"
rm -f "$app/HuebirdLite.ini"
prepare_prefix "$build"

# --- X server and Wine
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 10 number <&"$fd" || fail "Xvfb did not start"
export DISPLAY=:$number

start=$SECONDS
(cd "$app" && exec wine huebird-lite.exe >"$work/first.log" 2>&1) &
first=$!
main_window() { xdotool search --onlyvisible --name '^Huebird v' 2>/dev/null | head -1; }
has_main_window() { [ -n "$(main_window)" ]; }
wait_for 300 has_main_window || fail "no main window"
window=$(main_window)
step "main window up after $((SECONDS - start)) s"

# --- geometry: Wine draws the frame; the client area sits in its bottom-right
# corner, below room for a title and the menu bar. Read again until Qt has
# given the window its size.
framed_client() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    border=$(((WIDTH - 276) / 2))
    cx=$((X + border)); cy=$((Y + HEIGHT - border - 131))
    [ $((WIDTH - 276)) -ge 0 ] && [ $((WIDTH - 276)) -le 16 ] && [ $(((WIDTH - 276) % 2)) -eq 0 ] &&
        [ $((cy - Y)) -ge 30 ] && [ $((cy - Y)) -le 60 ]
}
wait_for 100 framed_client || fail "window ${WIDTH}x$HEIGHT: no client area of 276 x 131 in a frame"

pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p'; }
# The selected-colour swatch at 173,2 (100 x 58) and the magnifier's centre at 56,56.
swatch() { pixel $((cx + 200)) $((cy + 12)); }
magnifier() { pixel $((cx + 60)) $((cy + 60)); }
shows() { [ "$(swatch)" = "$1" ] && [ "$(magnifier)" = "$1" ]; }

# --- the pointer over the painted root (Wine painted it black at its start)
convert -size 1280x1024 xc:'#3366CC' -fill '#CC3300' -draw 'rectangle 0 0 199 199' "$work/root.png"
display -window root "$work/root.png" || true # paints, and answers 1
xdotool mousemove 100 100
wait_for 150 shows CC3300 || fail "over red the window shows $(swatch) / $(magnifier)"
xdotool mousemove 300 300
wait_for 150 shows 3366CC || fail "over blue the window shows $(swatch) / $(magnifier)"
step "follows the pointer"

# --- captures: the hotkey (Wine delivers it while its window has the focus), then --capture
xdotool mousemove 100 100
wait_for 150 shows CC3300 || fail "back over red the window shows $(swatch)"
xdotool windowfocus --sync "$window"
xdotool key alt+c
xdotool mousemove 300 300
wait_for 150 shows 3366CC || fail "over blue again the window shows $(swatch)"
(cd "$app" && wine huebird-lite.exe --capture) || fail "--capture ended with $?"
step "captured with the hotkey and --capture"

# --- File > Save color list, through Wine's own save dialog
saved="$app/saved.txt"
xdotool mousemove $((cx + 15)) $((cy - 11)) click 1
sleep 0.5
xdotool key Down Down Return
sleep 3 # Wine's save dialog takes the keys once it is up
xdotool key ctrl+a
xdotool type "Z:${saved//\//\\}"
xdotool key Return
wait_for 100 test -s "$saved" || fail "no list saved"
expected=$'[RGB,HTML]\r\n 51 102 204\t#3366CC\r\n204  51   0\t#CC3300\r'
[ "$(cat "$saved")" = "$expected" ] || fail "saved list: $(cat -A "$saved")"
step "list saved"

if [ -n "${HB_WINE_SCREENSHOT:-}" ]; then
    xdotool mousemove 300 300
    sleep 0.3
    import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$HB_WINE_SCREENSHOT"
fi

# --- a second start says so and ends
(cd "$app" && exec wine huebird-lite.exe >"$work/second.log" 2>&1) &
second=$!
box() { xdotool search --onlyvisible --name '^HuebirdLite$' 2>/dev/null | head -1; }
has_box() { [ -n "$(box)" ]; }
wait_for 200 has_box || fail "the second start showed no message"
xdotool windowfocus --sync "$(box)"
xdotool key ctrl+c # a Windows message box copies its text
sleep 0.3
xclip -o -selection clipboard | grep -q "Huebird Lite is already in use." \
    || fail "the second start said: $(xclip -o -selection clipboard)"
xdotool key Return
wait "$second" || fail "the second start ended with $?"
step "second start refused"

# --- the session ends: the settings are kept beside the executable
wineboot -e >/dev/null 2>&1 || true
wait_for 100 grep -q $'^Rns=1\r$' "$app/HuebirdLite.ini" || fail "settings: $(cat -A "$app/HuebirdLite.ini" 2>&1)"
grep -q $'^HK_CAPTURE=Alt+C\r$' "$app/HuebirdLite.ini" || fail "no hotkey in the settings"
wait "$first" || true
step "settings saved at the session's end; $((SECONDS - start)) s in all"
echo PASS
