#!/usr/bin/env bash
# Formats every man page of the folder as man does and fails on any warning it prints (unknown
# requests, bad escapes, lines that cannot be filled).
# Usage: check-man-pages.sh MAN_FOLDER
set -euo pipefail
shopt -s nullglob
pages=("$1"/*.1)
[ "${#pages[@]}" -gt 0 ] || { echo "no man page in $1"; exit 1; }
failed=0
for page in "${pages[@]}"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    printf '%s:\n%s\n' "$page" "$warnings"
    failed=1
  fi
  head -n 1 "$page" | grep -Eq '^\.TH [^ ]+ 1( |$)' || { echo "$page: no .TH header for section 1"; failed=1; }
done
[ "$failed" = 0 ] && echo "${#pages[@]} man pages format without a warning"
exit "$failed"
