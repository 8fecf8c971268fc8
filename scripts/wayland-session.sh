#!/usr/bin/env bash
# A headless Wayland session for tests and manual runs: sway on the pixman
# renderer (no GPU) with two 800 x 600 outputs side by side, an invisible
# cursor (headless sway draws the cursor in software, into every screen copy)
# and a long-lived virtual pointer fed from a FIFO.
#
#   scripts/wayland-session.sh [--pointer PROGRAM] [--outputs N] [--visible-cursor]
#
# --visible-cursor: the cursor is a 16 x 16 square of #DCDDDF, its hotspot at
# its top-left pixel, for the compositor and its clients.
#
# PROGRAM is the virtual pointer client (build-test/tests/hb-virtual-pointer;
# $HB_VIRTUAL_POINTER when not given). The script prints the environment the
# session's clients need as "export KEY=VALUE" lines, then "ready", and stays
# until its standard input ends (Ctrl+D) or it is interrupted; then it stops
# every process it started and removes the session's folder.
#
#   echo "move 400 300" > $HB_POINTER_FIFO       echo click > $HB_POINTER_FIFO
#
# Exit status 1 with the reason when a piece cannot start (not installed, no
# unprivileged user, sway ended).
# sway refuses to run as root: as root the session runs as the user
# "huebird-session", created when missing.
set -uo pipefail

pointer=${HB_VIRTUAL_POINTER:-}
outputs=2
cursor_theme=hb-invisible
while [ $# -gt 0 ]; do
  case $1 in
    --pointer) pointer=$2; shift 2 ;;
    --outputs) outputs=$2; shift 2 ;;
    --visible-cursor) cursor_theme=hb-visible; shift ;;
    *) echo "usage: $0 [--pointer PROGRAM] [--outputs N] [--visible-cursor]" >&2; exit 2 ;;
  esac
done

say() { echo "wayland-session: $*" >&2; }
cannot() { say "sway cannot start here: $*"; exit 1; }
# need COMMAND...: installed by scripts/install-deps.sh (tests/check-test-tools.sh checks it).
need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || cannot "$tool is not installed (scripts/install-deps.sh installs it)"
  done
}

need sway swaymsg swaybg setpriv useradd

session_user=""
run_as=()
if [ "$(id -u)" -eq 0 ]; then
  session_user=huebird-session
  for _ in 1 2 3 4 5; do
    id -u "$session_user" >/dev/null 2>&1 && break
    # Another session may be creating the user at the same moment.
    useradd --system --user-group --no-create-home --home-dir /nonexistent \
      --shell /usr/sbin/nologin "$session_user" 2>/dev/null || sleep 0.5
  done
  id -u "$session_user" >/dev/null 2>&1 || cannot "no unprivileged user $session_user (useradd failed)"
  run_as=(setpriv --reuid="$(id -u "$session_user")" --regid="$(id -g "$session_user")" --init-groups)
fi

dir=$(mktemp -d /tmp/hb-wayland.XXXXXX) || cannot "no folder under /tmp"
chmod 700 "$dir"
[ -n "$session_user" ] && chown "$session_user:" "$dir"

groups=() # process groups started here, stopped in reverse order
cleanup() {
  trap - EXIT INT TERM HUP
  exec 3>&-
  # sway's clients (swaybg) are in its session but not its children: init
  # reaps them. A zombie waiting for that counts as ended.
  for ((i = ${#groups[@]} - 1; i >= 0; i--)); do
    kill -TERM -- "-${groups[i]}" 2>/dev/null
  done
  for _ in $(seq 50); do
    alive=0
    for g in "${groups[@]}"; do ps -o stat= --sid "$g" 2>/dev/null | grep -qv '^Z' && alive=1; done
    [ $alive -eq 0 ] && break
    sleep 0.1
  done
  for g in "${groups[@]}"; do kill -KILL -- "-$g" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 0' INT TERM HUP

# The cursor themes, written as Xcursor files: a square of one colour, its
# hotspot at its top-left pixel, under every common cursor name.
u32() {
  local v=$(($1))
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) $((v >> 24 & 255)))"
}
write_cursor_theme() { # THEME SIDE ARGB
  local cursors=$dir/icons/$1/cursors side=$2
  mkdir -p "$cursors"
  {
    printf Xcur; u32 16; u32 0x10000; u32 1                       # header, one image
    u32 0xfffd0002; u32 24; u32 28                                # table: image of size 24 at 28
    u32 36; u32 0xfffd0002; u32 24; u32 1; u32 "$side"; u32 "$side"; u32 0; u32 0; u32 0 # image header
    for ((i = 0; i < side * side; i++)); do u32 "$3"; done       # its pixels
  } > "$cursors/left_ptr"
  for name in default arrow top_left_arrow pointer hand1 hand2 text xterm ibeam crosshair cross \
    wait watch progress left_ptr_watch help question_arrow move fleur grab grabbing all-scroll \
    not-allowed forbidden size_all ew-resize ns-resize nesw-resize nwse-resize col-resize \
    row-resize n-resize s-resize e-resize w-resize ne-resize nw-resize se-resize sw-resize \
    top_side bottom_side left_side right_side top_left_corner top_right_corner \
    bottom_left_corner bottom_right_corner sb_h_double_arrow sb_v_double_arrow split_h split_v \
    openhand closedhand pointing_hand whats_this dnd-none dnd-copy dnd-move dnd-link; do
    ln -s left_ptr "$cursors/$name"
  done
}
write_cursor_theme hb-invisible 1 0
write_cursor_theme hb-visible 16 0xffdcdddf

cat > "$dir/config" <<EOF
xwayland disable
default_border none
default_floating_border none
focus_follows_mouse no
seat seat0 xcursor_theme $cursor_theme 24
output HEADLESS-1 resolution 800x600 position 0 0 scale 1 bg #336699 solid_color
EOF
for ((n = 2; n <= outputs; n++)); do
  echo "output HEADLESS-$n resolution 800x600 position $(((n - 1) * 800)) 0 scale 1 bg #996633 solid_color" >> "$dir/config"
done
[ -n "$session_user" ] && chown -R "$session_user:" "$dir"

cursor_env=(XCURSOR_PATH="$dir/icons" XCURSOR_THEME=$cursor_theme XCURSOR_SIZE=24)
# setsid: sway and what it spawns (swaybg) form one process group to stop.
setsid "${run_as[@]}" env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$dir" XDG_RUNTIME_DIR="$dir" \
  "${cursor_env[@]}" WLR_BACKENDS=headless WLR_NO_HARDWARE_CURSORS=1 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$dir/config" > "$dir/sway.log" 2>&1 < /dev/null &
sway_pid=$!
groups+=("$sway_pid")

swaysock=""
# Generous: a loaded machine may take long; the loops end once things are up.
for _ in $(seq 300); do
  kill -0 "$sway_pid" 2>/dev/null || { tail -n 20 "$dir/sway.log" >&2; cannot "sway ended at start"; }
  swaysock=$(ls "$dir"/sway-ipc.*.sock 2>/dev/null | head -n 1)
  if [ -n "$swaysock" ] && [ -S "$dir/wayland-1" ] && SWAYSOCK=$swaysock swaymsg -t get_version >/dev/null 2>&1; then
    break
  fi
  swaysock=""
  sleep 0.1
done
[ -n "$swaysock" ] || { tail -n 20 "$dir/sway.log" >&2; say "sway did not answer within 30 s"; exit 1; }
export SWAYSOCK=$swaysock WAYLAND_DISPLAY=$dir/wayland-1

for ((n = 2; n <= outputs; n++)); do
  swaymsg -q create_output || { say "could not add output $n"; exit 1; }
done

fifo=$dir/pointer
mkfifo -m 600 "$fifo"
[ -n "$session_user" ] && chown "$session_user:" "$fifo"
exec 3<> "$fifo" # keeps the FIFO open, so each writer's close is no end of input
if [ -n "$pointer" ]; then
  [ -x "$pointer" ] || { say "no virtual pointer program at $pointer"; exit 1; }
  setsid "$pointer" < "$fifo" > "$dir/pointer.log" 2>&1 3>&- &
  groups+=("$!")
  for _ in $(seq 150); do
    swaymsg -t get_inputs 2>/dev/null | grep -q '"type": "pointer"' && break
    sleep 0.1
  done
  swaymsg -t get_inputs | grep -q '"type": "pointer"' || { cat "$dir/pointer.log" >&2; say "the virtual pointer did not appear"; exit 1; }
fi

for kv in WAYLAND_DISPLAY="$WAYLAND_DISPLAY" SWAYSOCK="$SWAYSOCK" "${cursor_env[@]}" \
  HB_POINTER_FIFO="$fifo" HB_SESSION_DIR="$dir"; do
  echo "export $kv"
done
echo ready
[ -t 0 ] && say "running; Ctrl+C or Ctrl+D stops it"
while read -r _; do :; done
exit 0
