#!/bin/bash
# Every option that a program's --help names is in its manual page.
# Usage: check-man-pages.sh PROGRAM PAGE [PROGRAM PAGE]...
set -u
status=0
while [ $# -ge 2 ]; do
    program=$1 page=$2
    shift 2
    if ! help=$("$program" --help); then
        echo "$program --help failed" >&2
        status=1
        continue
    fi
    # The page writes each hyphen of an option as \-.
    plain=$(sed 's/\\-/-/g' "$page")
    for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
        if ! grep -q -- "$option\\b" <<<"$plain"; then
            echo "$(basename "$page") lacks $option, which $(basename "$program") --help names" >&2
            status=1
        fi
    done
done
[ $status -eq 0 ] && echo "every option of --help is in its manual page"
exit $status
