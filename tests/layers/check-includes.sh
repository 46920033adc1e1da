#!/usr/bin/env bash
# The layers' include rules, on every source file under SOURCE_DIR:
# - core/, board/ (outside board/window/) and cli/ include no Qt header and no gui/ or board/window/
#   header;
# - core/ includes nothing of board/ or cli/;
# - in gui/, from the bottom: widgets/, session/ (the chip session), registry/ (the window
#   instances), registerkit/ (the register-window kit), then the windows bus/, gen1/ and qk330/,
#   then app/ (the main window and the program); no folder includes one above it.
# Prints each offending include as FILE:LINE: INCLUDE and fails if there is one. Then
# check-cycles.py looks for include circles among the units, and fails on one.
# Usage: check-includes.sh SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "${1:?usage: check-includes.sh SOURCE_DIR}"

# Known arrows upwards, each "FILE: INCLUDED" with why it stays for now (none today).
allowed=()

# Files of FOLDER (minus those under EXCEPT) whose includes match PATTERN.
offending() {
  local folder=$1 except=$2 pattern=$3
  find "$folder" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.in' \) \
    ${except:+-not -path "$except/*"} -print0 | sort -z |
    xargs -0 -r grep -HnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*$pattern" || true
}

qt='(<Q[A-Za-z0-9_]*(/[^>]*)?>|<qt[a-z]*/|"ui_)'
found=$(
  for layer in core board cli; do
    offending "$layer" board/window "($qt|\"gui/|\"board/window/)"
  done
  offending core "" '"(board|cli)/'
  offending gui/widgets "" '"gui/(app|bus|gen1|qk330|registerkit|registry|session)/'
  offending gui/session "" '"gui/(app|bus|gen1|qk330|registerkit|registry|widgets)/'
  offending gui/registry "" '"gui/(app|bus|gen1|qk330|registerkit)/'
  offending gui/registerkit "" '"gui/(app|bus|gen1|qk330)/'
  for windows in bus gen1 qk330; do offending gui/$windows "" '"gui/app/'; done
)

status=0
while IFS= read -r line; do
  [[ -n $line ]] || continue
  file=${line%%:*}
  included=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*["<]([^">]*)[">].*/\1/' <<<"$line")
  known=0
  for entry in "${allowed[@]}"; do
    [[ $entry == "$file: $included" ]] && known=1
  done
  if ((known == 0)); then
    echo "$line" | sed -E 's/^([^:]*:[0-9]+):[[:space:]]*/\1: /'
    status=1
  fi
done <<<"$found"
if ((status)); then
  echo "These includes run from a lower layer to a higher one (see docs/architecture.md)." >&2
fi
python3 "$here/check-cycles.py" . || status=1
exit $status
