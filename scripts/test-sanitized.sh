#!/usr/bin/env bash
# Every test once more in a checked build (AddressSanitizer and UndefinedBehaviorSanitizer, Debug),
# in its own folder build-sanitized/. Expects the dependencies installed (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-sanitized -DCMAKE_BUILD_TYPE=Debug -DQK_SANITIZE=ON -DQK_REQUIRE_HELP_DOCUMENT=ON >/dev/null
cmake --build build-sanitized -j"$(nproc)"
cd build-sanitized
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The legibility runs under other fonts and scale factors check pixels, which this build does not
# change: the one with the program's font alone is enough here.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" \
  -E '^legibility_(ghostscript_fonts|desktop_fonts|scale_.*)$'
