#!/usr/bin/env bash
# Brings what the Windows build links against into a cache outside the
# repository, and prints that cache's folder:
#   qt6-mingw-6.4.2/       Qt 6.4.2 for win32-g++ (Core, Gui, Widgets, Network, Test)
#   libjpeg-turbo-mingw/   libjpeg-turbo, static, from Debian's source
#
# Qt comes from ../shared/windows/qt6-mingw-6.4.2.tar.xz beside the repository
# when it is there and its checksum matches; otherwise it is built from
# Debian's qt6-base source with ../shared/windows/qt-configure.sh, its patch
# and toolchain. That build takes about 75 minutes on 2 cores.
#
# Usage: windows-deps.sh [--if-at-hand]
#   --if-at-hand  build nothing slow: exit 3 (printing nothing) when Qt is
#                 neither in the cache nor beside the repository.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# shared/ sits beside the repository; a git worktree finds it beside the main one.
shared=${HB_WINDOWS_SHARED:-$root/../shared/windows}
if [ -z "${HB_WINDOWS_SHARED:-}" ] && [ ! -d "$shared" ] &&
    common=$(git -C "$root" rev-parse --path-format=absolute --git-common-dir 2>/dev/null); then
    shared=$(dirname "$common")/../shared/windows
fi
cache=${HB_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/huebird-lite}
qt_version=6.4.2
qt=$cache/qt6-mingw-$qt_version
qt_archive=$shared/qt6-mingw-$qt_version.tar.xz
qt_sha256=e2de8700953f5ea55139582817e057fb069305b85454b5a3ce71c91738619832
jpeg=$cache/libjpeg-turbo-mingw
jobs=${JOBS:-2}
toolchain=$root/cmake/mingw-w64-toolchain.cmake

say() { echo "windows-deps: $*" >&2; }

# deb-src entries for Debian's own archives as this machine reaches them, in a
# private apt folder, so that `apt-get source` works without touching /etc/apt.
private_apt() {
    local apt=$cache/apt
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/archives/partial"
    : > "$apt/sources.list"
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list > "$apt/sources.list"
    fi
    rm -f "$apt/sources.list.d/"*
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && grep -q debian-archive-keyring "$f" || continue
        sed 's/^Types:.*/Types: deb-src/' "$f" > "$apt/sources.list.d/$(basename "$f")"
    done
    APT_OPTIONS=(-o "Dir::Etc::SourceList=$apt/sources.list"
                 -o "Dir::Etc::SourceParts=$apt/sources.list.d"
                 -o "Dir::State::Lists=$apt/lists"
                 -o "Dir::Cache::Archives=$apt/archives"
                 -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache=")
    apt-get -qq "${APT_OPTIONS[@]}" update >&2
}

# Unpacks Debian's source of package $1 into folder $2, without Debian's patches.
debian_source() {
    local package=$1 into=$2
    private_apt
    rm -rf "$into"
    mkdir -p "$into"
    (cd "$into" &&
        apt-get -qq "${APT_OPTIONS[@]}" source --download-only "$package" >&2 &&
        dpkg-source --skip-patches -x ./*.dsc >&2)
}

qt_from_archive() {
    [ -f "$qt_archive" ] || return 1
    if ! echo "$qt_sha256  $qt_archive" | sha256sum -c --status; then
        say "$qt_archive does not match its checksum; not using it"
        return 1
    fi
    say "unpacking $qt_archive"
    local tmp
    tmp=$(mktemp -d "$cache/qt-unpack.XXXXXX")
    tar -xJf "$qt_archive" -C "$tmp"
    rm -rf "$qt"
    mv "$tmp/qt6-mingw" "$qt"
    rmdir "$tmp"
}

qt_from_source() {
    say "building Qt $qt_version for Windows from Debian's qt6-base source (about 75 minutes on 2 cores)"
    local work=$cache/qt-build
    debian_source qt6-base "$work/src"
    local src
    src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
    # Debian's security fixes (its other patches are for its own packaging);
    # Qt 6.4 builds its DirectWrite font database only together with direct2d.
    local fix
    for fix in $(grep -E '^cve-' "$src/debian/patches/series"); do
        patch -d "$src" -p1 < "$src/debian/patches/$fix" >&2
    done
    patch -d "$src" -p1 < "$root/packaging/windows/qt-6.4.2-no-direct2d.patch" >&2
    rm -rf "$work/build"
    mkdir -p "$work/build"
    (cd "$work/build" &&
        sh "$shared/qt-configure.sh" "$src" "$qt.partial" "$toolchain" >&2 &&
        cmake --build . --parallel "$jobs" >&2 &&
        cmake --install . >&2)
    rm -rf "$qt"
    mv "$qt.partial" "$qt"
    rm -rf "$work"
}

jpeg_from_source() {
    say "cross-building libjpeg-turbo from Debian's source"
    local work=$cache/jpeg-build
    debian_source libjpeg-turbo "$work/src"
    local src
    src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -1)
    cmake -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$jpeg.partial" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
        -DCMAKE_POSITION_INDEPENDENT_CODE=ON >&2
    cmake --build "$work/build" --parallel "$jobs" >&2
    cmake --install "$work/build" >&2
    rm -rf "$jpeg"
    mv "$jpeg.partial" "$jpeg"
    rm -rf "$work"
}

mkdir -p "$cache"
# One run at a time per cache: another build (a second worktree, `make test`)
# waits here rather than unpacking over it.
exec 9> "$cache/.lock"
flock 9

if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    if ! qt_from_archive; then
        if [ "${1:-}" = --if-at-hand ]; then
            exit 3
        fi
        qt_from_source
    fi
fi
if [ ! -f "$jpeg/lib/libjpeg.a" ]; then
    jpeg_from_source
fi
echo "$cache"
