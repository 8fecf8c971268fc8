#!/usr/bin/env bash
# Fails when two folders of src/ include from each other, directly or round a
# longer loop, or when a folder includes from one listed above it in the
# order that docs/architecture.md documents, or when the Qt-free core
# includes Qt. Subfolders count with their folder (platform/x11 is platform),
# except that each folder of core/ counts on its own (core/color).
# Usage: check-include-cycles.sh [source-root]   (default: the src/ beside this script)
set -euo pipefail
src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}
order_doc=$src/../docs/architecture.md
cd "$src"

# One "from to" line per folder that includes from another folder.
edges=$(grep -rEo '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/[^"]+"' --include='*.h' --include='*.cpp' --include='*.in' . |
    sed -E 's|^\./(core/[^/:]+\|[^/:]+)[^:]*:.*"(core/[^/"]+\|[^/"]+)/.*|\1 \2|' | awk '$1 != $2' | sort -u)

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

# The documented order: the folder names that begin the lines of the first
# code block of "Folders and what may include what", top to bottom.
order=$(awk '/^## Folders/ { section = 1 } section && /^```/ { if (inside) exit; inside = 1; next }
    inside && /^[a-z]+\// { name = $1; sub(/\/$/, "", name); print name }' "$order_doc")
[[ -n $order ]] || { echo "No order of folders found in $order_doc"; exit 1; }
wrong=$(awk 'NR == FNR { rank[$1] = NR; next }
    !($1 in rank) || !($2 in rank) { print "  " $1 " -> " $2 " (not in the documented order)"; next }
    rank[$2] <= rank[$1] { print "  " $1 " -> " $2 }' <(echo "$order") <(echo "$edges"))
if [[ -n $wrong ]]; then
    echo "Folders of src/ that include from a folder listed above them in docs/architecture.md:"
    echo "$wrong"
    exit 1
fi
echo "Every folder of src/ includes only from folders listed below it: $(echo $order)."

qt_in_core=$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(Q|qt)' core || true)
if [[ -n $qt_in_core ]]; then
    echo "Files of the Qt-free core that include Qt:"
    echo "$qt_in_core" | sed 's/^/  /'
    exit 1
fi
echo "No file of core/ includes Qt."
