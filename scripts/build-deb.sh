#!/usr/bin/env bash
# Builds the Debian package: a Release build with Debian's hardening flags,
# packaged by CPack. Usage: build-deb.sh [BUILD_DIR] (default build-deb).
# Prints the package's path last.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-deb}
jobs=${JOBS:-$(nproc)}
cd "$root"

# Debian's own flags (optimisation, stack protector, _FORTIFY_SOURCE, format
# checks, PIE, full RELRO) in place of CMake's Release ones. Without -g: the
# package is stripped, and the build is quicker.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1" | sed -e 's/\(^\| \)-g\( \|$\)/ /g'; }
cppflags=$(dpkg-buildflags --get CPPFLAGS)

cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DHB_BUILD_TESTS=OFF -DHB_BUILD_BENCH=OFF -DHB_SANITIZE=OFF \
  -DCMAKE_C_FLAGS_RELEASE=-DNDEBUG -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
  "-DCMAKE_C_FLAGS=$(flags CFLAGS) $cppflags" \
  "-DCMAKE_CXX_FLAGS=$(flags CXXFLAGS) $cppflags" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$out" -j "$jobs"
(cd "$out" && cpack -G DEB >/dev/null)
ls "$out"/huebird-lite_*_"$(dpkg --print-architecture)".deb
