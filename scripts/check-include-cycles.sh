#!/usr/bin/env bash
# Fails when two folders of src/ include from each other, directly or round a
# longer loop. Subfolders count with their folder (platform/x11 is platform).
# Usage: check-include-cycles.sh [source-root]   (default: the src/ beside this script)
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}
cd "$src"

# One "from to" line per folder that includes from another folder.
edges=$(grep -rEo '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/[^"]+"' --include='*.h' --include='*.cpp' --include='*.in' . |
    sed -E 's|^\./([^/:]+)[^:]*:.*"([^/"]+)/.*|\1 \2|' | awk '$1 != $2' | sort -u)

# Folders that reach themselves again through the include edges.
cycles=$(awk '
    { next_of[$1] = next_of[$1] " " $2; nodes[$1]; nodes[$2] }
    function reach(from, node,    n, list, i) {
        n = split(next_of[node], list, " ")
        for (i = 1; i <= n; i++) {
            if (list[i] == from) { found = 1; return }
            if (!(list[i] in seen)) { seen[list[i]]; path[list[i]] = node; reach(from, list[i]) }
            if (found) return
        }
    }
    END {
        for (f in nodes) {
            delete seen; found = 0; reach(f, f)
            if (found) print f
        }
    }' <<<"$edges" | sort)

if [[ -n $cycles ]]; then
    echo "Folders of src/ that include each other (a loop):"
    echo "$cycles" | sed 's/^/  /'
    echo "Their include edges:"
    while read -r from to; do
        if grep -qx "$from" <<<"$cycles" && grep -qx "$to" <<<"$cycles"; then
            echo "  $from -> $to: $(grep -rlE "#[[:space:]]*include[[:space:]]+\"$to/" "$from" | tr '\n' ' ')"
        fi
    done <<<"$edges"
    exit 1
fi
echo "No include loops between the folders of src/."
