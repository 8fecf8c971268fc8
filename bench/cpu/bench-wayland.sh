#!/usr/bin/env bash
# CPU share of a core taken by the program (and the compositor) on a headless
# Wayland session while the pointer moves and then rests, and the latency from
# a pointer motion to the program showing the new colour, in two modes:
#
#   pick        pick mode over the compositor's screen copies (sway)
#   screencast  following a ScreenCast portal stream with the pointer as
#               metadata (the test portal backend and PipeWire test screen,
#               whose producer's share stands in for the compositor's)
#   x11         following the pointer on Xvfb, for comparison
#
#   bench/cpu/bench-wayland.sh MODE BUILD_DIR HELPER_DIR
#
# BUILD_DIR holds the program; HELPER_DIR the test helpers hb-virtual-pointer
# and cursor_producer (build-test/tests). Latency is from the moment the
# motion is sent to the program's log line for the new colour (the
# compositor's next frame and the paint come on top), median of 20.
set -euo pipefail
mode=${1:?pick or screencast}
build=$(cd "${2:?build folder}" && pwd)
helpers=$(cd "${3:?helper folder}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${SECONDS_PER_PHASE:-10}

if [ "$mode" = screencast ] && [ "${HB_PORTAL_SESSION:-}" != inside ]; then
  exec "$root/tests/portal/portal-session.sh" "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  exec 7>&- 8>&- 2>/dev/null || true
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

. "$here/measure-lib.sh"
now_us() { echo $(($(date +%s%N) / 1000)); }

# The headless session: its variables, then "ready".
if [ "$mode" = x11 ]; then
  exec 5> "$work/display"
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
  sway=$!; pids+=("$sway")
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(cat "$work/display")
  [ -x "$build/bench/x_driver" ] && "$build/bench/x_driver" background
else
mkfifo "$work/session.in"
bash "$root/scripts/wayland-session.sh" --pointer "$helpers/hb-virtual-pointer" < "$work/session.in" > "$work/session.out" 2> "$work/session.err" &
pids+=($!)
exec 7> "$work/session.in"
for _ in $(seq 600); do grep -q '^ready' "$work/session.out" 2>/dev/null && break; sleep 0.1; done
grep -q '^ready' "$work/session.out" || { cat "$work/session.err" >&2; echo "bench-wayland: no Wayland session" >&2; exit 77; }
eval "$(grep '^export' "$work/session.out")"
sway=${SWAYSOCK##*/sway-ipc.}; sway=${sway#*.}; sway=${sway%%.*}
swaymsg -q "output * bg $root/data/images/about.jpg fill"
fi

# The producer stands in for the desktop's screen cast: 640 x 480 at 30 frames a second.
if [ "$mode" = screencast ]; then
  mkfifo "$work/producer.in"
  "$helpers/cursor_producer" 640 480 < "$work/producer.in" > "$work/producer.out" 2>&1 &
  pids+=($!)
  exec 8> "$work/producer.in"
  sway=${pids[-1]} # the producer's share stands in for the compositor's
  for _ in $(seq 100); do grep -q '^node ' "$work/producer.out" && break; sleep 0.1; done
  node=$(awk '/^node / { print $2; exit }' "$work/producer.out")
  gdbus call --session -d org.freedesktop.impl.portal.desktop.huebirdtest -o /org/huebird/PortalTest \
    -m org.huebird.PortalTest.SetStream "$node" 640 480 > /dev/null
fi
move() {
  case $mode in
    screencast) echo "$1 $2" >&8 ;;
    x11) xdotool mousemove "$1" "$2" ;;
    *) echo "move $1 $2" > "$HB_POINTER_FIFO" ;;
  esac
}

app_dir=$work/app
mkdir -p "$app_dir" "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
cp "$build/huebird-lite" "$app_dir/"
for d in language help palettes; do cp -r "$build/$d" "$app_dir/"; done
touch "$app_dir/portable"
printf '[General]\r\nLanguage=en\r\nRns=5\r\n[Preferences]\r\nHK_CAPTURE=Alt+C\r\n' > "$app_dir/HuebirdLite.ini"
platform=$([ "$mode" = x11 ] && echo xcb || echo "")
HOME=$work/home XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=$platform QT_LOGGING_RULES="huebird.capture*=true" \
  "$app_dir/huebird-lite" > "$work/app.log" 2>&1 &
app=$!; pids+=("$app")
if [ "$mode" = x11 ]; then
  xdotool search --sync --onlyvisible --pid "$app" > /dev/null
else
  for _ in $(seq 300); do swaymsg -t get_tree | grep -q "\"pid\": $app," && break; sleep 0.1; done
fi
if [ "$mode" = pick ]; then
  move 1200 300
  XDG_RUNTIME_DIR=$work/runtime "$app_dir/huebird-lite" --pick
  for _ in $(seq 300); do [ "$(swaymsg -t get_tree | grep -c '"fullscreen_mode": 1')" -ge 4 ] && break; sleep 0.1; done
fi
sleep 2
case $mode in pick) expected="pick mode over screen copies" ;; x11) expected=X11 ;; *) expected="screen cast" ;; esac
grep -q "huebird.capture: .*: $expected\$" "$work/app.log" || {
  cat "$work/app.log" >&2; echo "bench-wayland: the program is not in $mode mode" >&2; exit 1; }

# A path over the picture, twenty steps a second.
case $mode in screencast) w=640 h=480 ;; x11) w=1280 h=1024 ;; *) w=800 h=600 ;; esac
steps=$(awk -v s="$seconds" 'BEGIN { print int(s * 20) }')
a0=$(cpu_ns "$app"); s0=$(cpu_ns "$sway"); t0=$(date +%s%N)
for i in $(seq "$steps"); do
  move $((20 + i * 7 % (w - 40))) $((20 + i * 13 % (h - 40)))
  sleep 0.05
done
a1=$(cpu_ns "$app"); s1=$(cpu_ns "$sway"); t1=$(date +%s%N)
sleep "$seconds"
a2=$(cpu_ns "$app"); s2=$(cpu_ns "$sway"); t2=$(date +%s%N)

# Latency: a motion, then the log line of the colour at the new place.
latencies=()
for i in $(seq 20); do
  x=$((40 + i * 23 % (w - 80))); y=$((40 + i * 17 % (h - 80)))
  before=$(wc -l < "$work/app.log")
  sent=$(now_us)
  move "$x" "$y"
  for _ in $(seq 400); do
    line=$(tail -n +"$((before + 1))" "$work/app.log" | grep -m1 "shown .* at $x,$y " || true)
    [ -n "$line" ] && break
    sleep 0.005
  done
  [ -n "$line" ] || continue
  shown=$(echo "$line" | awk '{ print $(NF - 1) }')
  latencies+=("$(awk -v a="$sent" -v b="$shown" 'BEGIN { printf "%.1f", (b - a) / 1000 }')")
  sleep 0.2
done

echo "$mode: moving program $(percent $((a1 - a0)) $((t1 - t0))) %  compositor $(percent $((s1 - s0)) $((t1 - t0))) %;" \
  "at rest program $(percent $((a2 - a1)) $((t2 - t1))) %  compositor $(percent $((s2 - s1)) $((t2 - t1))) % (of one core)"
echo "$mode: motion to colour shown: median $(echo "${latencies[*]}" | median) ms over ${#latencies[@]} motions" \
  "(slowest $(echo "${latencies[*]}" | tr ' ' '\n' | sort -g | tail -n 1) ms)"
