#!/usr/bin/env bash
# Formats every man page of the folder as man does and fails on any warning it prints (unknown
# requests, bad escapes, lines that cannot be filled), or when its header is not for section 1 or
# names another version than the program's.
# Usage: check-man-pages.sh MAN_FOLDER VERSION
set -euo pipefail
shopt -s nullglob
pages=("$1"/*.1)
version=$2
[ "${#pages[@]}" -gt 0 ] || { echo "no man page in $1"; exit 1; }
failed=0
for page in "${pages[@]}"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    printf '%s:\n%s\n' "$page" "$warnings"
    failed=1
  fi
  header=$(grep -m 1 '^\.TH ' "$page" || true)
  [[ $header =~ ^\.TH\ [^\ ]+\ 1\ \"[^\"]*\"\ \"[^\"]*\ ([^\"\ ]+)\" ]] ||
    { echo "$page: no .TH header for section 1 with a version"; failed=1; continue; }
  [ "${BASH_REMATCH[1]}" = "$version" ] ||
    { echo "$page: for version ${BASH_REMATCH[1]}, the program is $version"; failed=1; }
done
[ "$failed" = 0 ] && echo "${#pages[@]} man pages format without a warning"
exit "$failed"
