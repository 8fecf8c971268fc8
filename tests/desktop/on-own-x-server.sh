#!/usr/bin/env bash
# Runs one desktop test on an X server of its own. Tests running side by side
# then share no pointer, keyboard, focus or clipboard; none inherits what
# another left behind (a lock key on, a dead clipboard owner); and none types
# into the desktop of whoever runs the suite.
# Usage: on-own-x-server.sh command [arguments...]  (HB_TEST_SCREEN, default 1280x1024x24)
set -u
dir=$(mktemp -d "${TMPDIR:-/tmp}/hb-x.XXXXXX")
server=
stop_server() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    server=
  fi
}
trap 'stop_server; rm -rf "$dir"' EXIT
trap 'exit 143' TERM INT
# No cookie: the server takes local clients without one.
export XAUTHORITY=$dir/no-cookies
for attempt in 1 2 3; do
  rm -f "$dir/display"
  mkfifo "$dir/display"
  # Xvfb picks a free display number itself and writes it once it takes
  # clients: no race with other servers starting at the same time.
  Xvfb -displayfd 3 -nolisten tcp -screen 0 "${HB_TEST_SCREEN:-1280x1024x24}" 3>"$dir/display" 2>"$dir/xvfb.log" &
  server=$!
  number=
  read -r -t 60 number <"$dir/display"
  if [ -n "$number" ] && DISPLAY=:$number xprop -root >/dev/null 2>&1; then
    DISPLAY=:$number "$@"
    exit
  fi
  echo "attempt $attempt: no X server of its own could be started${number:+ (display :$number took no client)}:" >&2
  cat "$dir/xvfb.log" >&2
  stop_server
done
exit 1
