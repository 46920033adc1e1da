#!/usr/bin/env bash
# The built programs' command lines, run without any display: --help and --version on stdout with
# status 0, a mistake with the usage on stderr and status 2, and a start without a graphical
# session refused in one line with status 1.
# Usage: check-command-lines.sh BUILD_DIR VERSION
set -uo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# Whether FILE's whole content, newlines included, matches PATTERN ('' matches an empty file only).
matches() {
  local content
  content=$(cat "$2"; echo .)
  content=${content%.}
  [[ $content =~ ^$1$ ]]
}

# Runs PROGRAM ARGS... with no display; then checks its status, stdout and stderr.
# check NAME STATUS STDOUT-PATTERN STDERR-PATTERN STDERR-LINES -- PROGRAM ARGS...
# A pattern is an extended regular expression the whole output must match ('' for empty output);
# STDERR-LINES is the number of lines stderr must have, or '-' for any.
check() {
  local name=$1 status=$2 out_pattern=$3 err_pattern=$4 err_lines=$5
  shift 6
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$build/$@" \
    >"$scratch/out" 2>"$scratch/err" </dev/null
  local seen=$?
  local problem=""
  [ "$seen" = "$status" ] || problem+=" status $seen, not $status;"
  matches "$out_pattern" "$scratch/out" || problem+=" stdout unexpected;"
  matches "$err_pattern" "$scratch/err" || problem+=" stderr unexpected;"
  if [ "$err_lines" != "-" ] && [ "$(wc -l <"$scratch/err")" != "$err_lines" ]; then
    problem+=" stderr not $err_lines line(s);"
  fi
  if [ -n "$problem" ]; then
    echo "FAIL $name:$problem"
    echo "--- stdout:"; cat "$scratch/out"; echo "--- stderr:"; cat "$scratch/err"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

usage='Usage: PROGRAM \[OPTION\]\.\.\.
.*--help +show this text and exit \(also -h\)
.*Exit status: 0.*'
v=${version//./\\.}
for program in qk3xx qk3xx-virtual; do
  u=${usage//PROGRAM/$program}
  check "$program --help" 0 "$u" '' 0 -- "$program" --help
  check "$program --version" 0 "$program $v
" '' 0 -- "$program" --version
  check "$program -V" 0 "$program $v
" '' 0 -- "$program" -V
  check "$program --bogus" 2 '' "$program: unknown option '--bogus'

$u" - -- "$program" --bogus
  check "$program without a display" 1 '' \
    "$program: needs a graphical session.*xvfb-run -a $program
" 1 -- "$program"
done
check "qk3xx-virtual bad value" 2 '' "qk3xx-virtual: --chip: 'qk999' is not a chip.*
${usage//PROGRAM/qk3xx-virtual}" - -- qk3xx-virtual --chip qk999
check "qk3xx-virtual option given twice" 2 '' "qk3xx-virtual: --chip is given twice: give it once

${usage//PROGRAM/qk3xx-virtual}" - -- qk3xx-virtual --chip qk310 --chip qk320
check "qk3xx value missing" 2 '' "qk3xx: --i2c-dev needs a value

.*" - -- qk3xx --i2c-dev

# The screenshot program takes one FOLDER; --help draws nothing, into no folder named --help.
shot_usage='Usage: qk3xx-screenshot \[OPTION\]\.\.\. FOLDER
.*--help +show this text and exit \(also -h\)
.*Exit status: 0.*'
cd "$scratch"
check "qk3xx-screenshot --help" 0 "$shot_usage" '' 0 -- qk3xx-screenshot --help
cd - >/dev/null
[ -e "$scratch/--help" ] && { echo "FAIL qk3xx-screenshot --help made a folder"; failures=$((failures + 1)); }
check "qk3xx-screenshot -V" 0 "qk3xx-screenshot $v
" '' 0 -- qk3xx-screenshot -V
check "qk3xx-screenshot --bogus" 2 '' "qk3xx-screenshot: unknown option '--bogus'

$shot_usage" - -- qk3xx-screenshot --bogus
check "qk3xx-screenshot without a folder" 2 '' "qk3xx-screenshot: needs the FOLDER to draw into

$shot_usage" - -- qk3xx-screenshot
check "qk3xx-screenshot two folders" 2 '' "qk3xx-screenshot: takes one FOLDER, not 2

$shot_usage" - -- qk3xx-screenshot "$scratch/a" "$scratch/b"
check "qk3xx-screenshot without a display" 1 '' \
  "qk3xx-screenshot: needs a graphical session.*
" 1 -- qk3xx-screenshot "$scratch/pictures"

# The command line needs no display at all.
check "qk3xx-cli --help" 0 'Usage: qk3xx-cli \[OPTIONS\] COMMAND \[ARGUMENTS\]
.*Exit codes:.*4  port or adapter unavailable
.*143  stopped between two frames by .*
' '' 0 -- qk3xx-cli --help
check "qk3xx-cli --version" 0 "qk3xx-cli $v
" '' 0 -- qk3xx-cli --version
check "qk3xx-cli --bogus" 2 '' "qk3xx-cli: unknown option '--bogus'
Usage: qk3xx-cli .*
" 2 -- qk3xx-cli --bogus
check "qk3xx-cli -V" 0 "qk3xx-cli $v
" '' 0 -- qk3xx-cli -V
check "qk3xx-cli bare number" 2 '' "qk3xx-cli: '26': write 0x26 for the register shown as 26, or 0x1a for decimal 26
" 1 -- qk3xx-cli --virtual qk330 set 26 03
check "qk3xx-cli without a display" 0 'QK310 at 0x1a
' '' 0 -- qk3xx-cli --virtual qk310 detect

[ "$failures" = 0 ] || { echo "$failures command line(s) misbehaved"; exit 1; }
