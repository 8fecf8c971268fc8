#!/usr/bin/env bash
# Runs one desktop test on an X server of its own. Tests running side by side
# then share no pointer, keyboard, focus or clipboard; none inherits what
# another left behind (a lock key on, a dead clipboard owner); and none types
# into the desktop of whoever runs the suite.
# Usage: on-own-x-server.sh command [arguments...]  (HB_TEST_SCREEN, default 1280x1024x24)
set -u
dir=$(mktemp -d "${TMPDIR:-/tmp}/hb-x.XXXXXX")
server=
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 143' TERM INT
mkfifo "$dir/display"
# Xvfb picks a free display number itself and writes it once it takes clients:
# no race with other servers starting at the same time.
Xvfb -displayfd 3 -nolisten tcp -screen 0 "${HB_TEST_SCREEN:-1280x1024x24}" 3>"$dir/display" 2>"$dir/xvfb.log" &
server=$!
if ! read -r -t 60 number <"$dir/display" || [ -z "$number" ]; then
  echo "no X server of its own could be started:" >&2
  cat "$dir/xvfb.log" >&2
  exit 1
fi
# No cookie: the server takes local clients without one.
DISPLAY=:$number XAUTHORITY=$dir/no-cookies "$@"
