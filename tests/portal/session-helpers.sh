# Shared by the scripts that run a private desktop-portal session
# (portal-session.sh, ../wayland/pick-color.sh); sourced, not run.

# A piece that scripts/install-deps.sh installs and that did not start: the
# test fails, saying which.
cannot_start() {
  echo "FAILED: $*" >&2
  exit 1
}

# need COMMAND-OR-PATH...: each is installed (scripts/install-deps.sh), or the
# test fails. tests/check-test-tools.sh checks that the script installs them.
need() {
  for tool in "$@"; do
    case $tool in
      /*) [ -e "$tool" ] ;;
      *) command -v "$tool" >/dev/null ;;
    esac || cannot_start "$tool is not installed (scripts/install-deps.sh installs it)"
  done
}

wait_for() { # seconds, test...
  local tries=$(($1 * 10))
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Inside the private bus: the services started, stopped again on exit.
pids=()
stop_services() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
}

logs() {
  for log in "$work"/*.log; do
    echo "---- $(basename "$log")" >&2
    tail -n 20 "$log" >&2
  done
}

has_name() {
  gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}

start_pipewire() {
  pipewire >"$work/pipewire.log" 2>&1 &
  pids+=($!)
  wait_for 30 test -S "$XDG_RUNTIME_DIR/pipewire-0" || { logs; cannot_start "PipeWire did not start"; }
  wireplumber >"$work/wireplumber.log" 2>&1 &
  pids+=($!)
}
