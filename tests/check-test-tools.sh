#!/usr/bin/env bash
# Every command or file that a test session script needs ("need ..." lines)
# belongs to a package scripts/install-deps.sh installs, so no test finds a
# piece missing on a machine set up by it.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t packages < <(bash "$root/scripts/install-deps.sh" --print)
declare -A listed
for p in "${packages[@]}"; do listed[$p]=1; done

# "need" lines, with their continuation lines.
tools=$(awk '/^ *need / || more { more = /\\$/; sub(/^ *need /, ""); print }' \
  "$root/scripts/wayland-session.sh" "$root"/tests/*/*.sh |
  sed 's/\\$//; s/"\$portal"/\/usr\/libexec\/xdg-desktop-portal/' | tr ' ' '\n' | sed '/^$/d' | sort -u)
[ -n "$tools" ] || { echo "no need lines found"; exit 1; }
failed=0
for tool in $tools; do
  case $tool in
    /*) file=$tool ;;
    *) file=$(command -v "$tool") || { echo "$tool: not installed here"; failed=1; continue; } ;;
  esac
  # dpkg knows a file by the path it installed, before links are followed.
  owner=$(dpkg -S "$file" 2>/dev/null || dpkg -S "$(readlink -f "$file")" 2>/dev/null) || {
    echo "$tool: no package owns $file"; failed=1; continue; }
  found=0
  for package in $(echo "${owner%%:*}" | tr -d ',' ); do
    package=${package%%:*}
    [ -n "${listed[$package]:-}" ] && found=1
  done
  [ $found -eq 1 ] || { echo "$tool: its package ${owner%%: *} is not in scripts/install-deps.sh"; failed=1; }
done
[ $failed -eq 0 ] && echo "every tool the test sessions need is installed by scripts/install-deps.sh"
exit $failed
