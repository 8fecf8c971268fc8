#!/usr/bin/env bash
# Runs a command in a private desktop-portal session: its own session bus,
# PipeWire and WirePlumber, the test portal backend (portal_backend.py) and
# the real xdg-desktop-portal, all in a throw-away folder.
#
#   portal-session.sh COMMAND [ARGUMENTS...]
#
# Fails, saying which, when a piece of the session cannot start; otherwise
# exits with the command's exit code.
set -u
here=$(cd "$(dirname "$0")" && pwd)
portal=/usr/libexec/xdg-desktop-portal

. "$here/session-helpers.sh"

if [ "${HB_PORTAL_SESSION:-}" != inside ]; then
  need dbus-run-session pipewire wireplumber gdbus "$portal" \
    /usr/share/dbus-1/services/org.freedesktop.impl.portal.PermissionStore.service \
    /usr/lib/python3/dist-packages/dbus /usr/lib/python3/dist-packages/gi

  work=$(mktemp -d "${TMPDIR:-/tmp}/huebird-portal.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  mkdir -m 700 "$work/runtime"
  mkdir -p "$work/portals" "$work/home" "$work/services"
  # A bus that starts only the permission store on demand: no document portal
  # (a FUSE mount in the runtime folder), nothing of the machine's own desktop.
  cp /usr/share/dbus-1/services/org.freedesktop.impl.portal.PermissionStore.service "$work/services/"
  cat >"$work/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$work/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
  cat >"$work/portals/huebirdtest.portal" <<'EOF'
[portal]
DBusName=org.freedesktop.impl.portal.desktop.huebirdtest
Interfaces=org.freedesktop.impl.portal.GlobalShortcuts;org.freedesktop.impl.portal.ScreenCast;org.freedesktop.impl.portal.Screenshot;org.freedesktop.impl.portal.Access;
UseIn=huebirdtest
EOF
  HB_PORTAL_SESSION=inside HB_PORTAL_WORK="$work" HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config" \
    XDG_STATE_HOME="$work/home/state" XDG_CACHE_HOME="$work/home/cache" \
    XDG_DESKTOP_PORTAL_DIR="$work/portals" XDG_CURRENT_DESKTOP=huebirdtest \
    PIPEWIRE_RUNTIME_DIR="$work/runtime" \
    dbus-run-session --config-file="$work/bus.conf" -- "$0" "$@"
  exit $?
fi

work=$HB_PORTAL_WORK
trap stop_services EXIT
start_pipewire

/usr/bin/python3 "$here/portal_backend.py" >"$work/backend.out" 2>"$work/backend.log" &
pids+=($!)
if ! wait_for 30 grep -qs ready "$work/backend.out"; then
  logs
  echo "the test portal backend did not start" >&2
  exit 1
fi

# The portal reads its backends' properties when it starts: after the backend.
"$portal" --replace >"$work/portal.log" 2>&1 &
pids+=($!)
wait_for 30 has_name org.freedesktop.portal.Desktop || { logs; cannot_start "xdg-desktop-portal did not start"; }

"$@"
rc=$?
[ $rc -eq 0 ] || logs
exit $rc
