#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Huebird Lite
# need, and only those that are missing. Says what it installs.
#   install-deps.sh [--print]   --print: list the packages, one a line, and stop
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config ccache
  librsvg2-bin
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev
  libxcb1-dev libxcb-keysyms1-dev libxcb-shm0-dev libxcb-xtest0-dev libx11-dev libx11-xcb-dev libxtst-dev
  libwayland-dev libwayland-bin wayland-protocols
  libpipewire-0.3-dev libspa-0.2-dev
  # run
  libqt6widgets6 libqt6network6 libqt6dbus6 qt6-qpa-plugins qt6-wayland fonts-dejavu-core
  # tests and benchmarks
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool xclip imagemagick python3
  dpkg-dev fakeroot lintian desktop-file-utils appstream
  # a headless Wayland session: the compositor, keys typed, screenshots by hand
  sway swaybg wtype grim util-linux passwd
  # a private portal session: session bus, PipeWire, the real portal, a test backend
  dbus-daemon libglib2.0-bin pipewire pipewire-bin wireplumber xdg-desktop-portal python3-dbus python3-gi
  # the desktop's own colour picker on sway, through its portal
  xdg-desktop-portal-wlr xdg-desktop-portal-gtk slurp
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  # the Windows build (make windows, windows-zip, windows-installer) and its tests under Wine
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix wine wine64 nsis xz-utils
)

if [ "${1:-}" = --print ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: every package is installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
# Wait for another apt or dpkg run (an unattended upgrade, a parallel build) rather than fail.
lock=(-o DPkg::Lock::Timeout=600)
$sudo apt-get "${lock[@]}" update -qq
$sudo apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
