# Sourced by the Wine tests: prepare_prefix BUILD_DIR makes $WINEPREFIX a
# copy of one prefix prepared per build tree (a prefix's first start takes
# half a minute).
prepare_prefix() {
    local build=$1 base=$1/wine-base
    (
        flock 9
        if [ ! -f "$base/system.reg" ]; then
            rm -rf "$base.new"
            WINEPREFIX=$base.new DISPLAY= wineboot -i >/dev/null 2>&1
            WINEPREFIX=$base.new wineserver -w
            mv "$base.new" "$base"
        fi
    ) 9>"$build/wine-base.lock"
    # Wine's own DLLs (nearly all of the prefix) are never written: shared by
    # hard links. The rest, registry included, is copied.
    mkdir -p "$WINEPREFIX" "$HOME"
    tar -C "$base" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$WINEPREFIX" -xf -
    cp -al "$base/drive_c/windows/system32" "$WINEPREFIX/drive_c/windows/system32"
    # Desktop, Documents, ... lead to the home folder of the run that made the
    # prefix, long gone: the shell's folders (and Wine's file dialog, which
    # crashes without them) need real ones.
    local link
    find "$WINEPREFIX/drive_c/users" -maxdepth 2 -type l -print0 | while IFS= read -r -d '' link; do
        rm "$link" && mkdir "$link"
    done
}
