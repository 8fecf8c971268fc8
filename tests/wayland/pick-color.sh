#!/usr/bin/env bash
# The desktop's own colour picker (the Screenshot portal's PickColor) through
# the real xdg-desktop-portal and xdg-desktop-portal-wlr on headless sway,
# which pick with slurp and grim; the client clicks through the session's
# virtual pointer.
#
#   pick-color.sh CLIENT
#
# Fails, saying which, when a piece of the session cannot start.
set -u
client=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../portal/session-helpers.sh"

if [ "${HB_PICK_COLOR_SESSION:-}" != inside ]; then
  need dbus-run-session pipewire wireplumber gdbus slurp grim \
    /usr/libexec/xdg-desktop-portal /usr/libexec/xdg-desktop-portal-wlr /usr/libexec/xdg-desktop-portal-gtk \
    /usr/share/dbus-1/services/org.freedesktop.impl.portal.PermissionStore.service
  work=$(mktemp -d "${TMPDIR:-/tmp}/huebird-pick-color.XXXXXX")
  mkfifo "$work/session.in"
  bash "$here/../../scripts/wayland-session.sh" --outputs 1 < "$work/session.in" > "$work/session.out" 2> "$work/session.err" &
  session=$!
  exec 7> "$work/session.in"
  stop() {
    exec 7>&-
    wait "$session" 2>/dev/null
    rm -rf "$work"
  }
  trap stop EXIT
  wait_for 90 grep -q '^ready' "$work/session.out" || {
    cat "$work/session.err" >&2
    cannot_start "the headless Wayland session did not start"
  }
  eval "$(grep '^export' "$work/session.out")"
  swaymsg -q "output * bg #3c8cdc solid_color" || exit 1

  mkdir -m 700 "$work/runtime"
  mkdir -p "$work/portals" "$work/services" "$work/home"
  cp /usr/share/xdg-desktop-portal/portals/wlr.portal /usr/share/xdg-desktop-portal/portals/gtk.portal "$work/portals/"
  cp /usr/share/dbus-1/services/org.freedesktop.impl.portal.PermissionStore.service "$work/services/"
  # Only the permission store starts on demand: no document portal mount.
  cat >"$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$work/services</servicedir>
  <policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>
CONF
  HB_PICK_COLOR_SESSION=inside HB_WORK="$work" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
    PIPEWIRE_RUNTIME_DIR="$work/runtime" XDG_DESKTOP_PORTAL_DIR="$work/portals" XDG_CURRENT_DESKTOP=sway \
    XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data" \
    dbus-run-session --config-file="$work/bus.conf" -- "$0" "$@"
  exit $?
fi

work=$HB_WORK
trap stop_services EXIT
start_pipewire
/usr/libexec/xdg-desktop-portal-wlr >"$work/wlr.log" 2>&1 &
pids+=($!)
/usr/libexec/xdg-desktop-portal-gtk >"$work/gtk.log" 2>&1 &
pids+=($!)
wait_for 30 has_name org.freedesktop.impl.portal.desktop.wlr || { logs; cannot_start "xdg-desktop-portal-wlr did not start"; }
wait_for 30 has_name org.freedesktop.impl.portal.desktop.gtk || { logs; cannot_start "xdg-desktop-portal-gtk did not start"; }
/usr/libexec/xdg-desktop-portal --replace >"$work/portal.log" 2>&1 &
pids+=($!)
wait_for 30 has_name org.freedesktop.portal.Desktop || { logs; cannot_start "xdg-desktop-portal did not start"; }

"$client"
rc=$?
[ $rc -eq 0 ] || logs
exit $rc
