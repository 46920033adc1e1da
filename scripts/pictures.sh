#!/usr/bin/env bash
# Redraws the pictures of every window in docs/images/ with the program itself, on the virtual
# board, headless. Run it on purpose when a window changes; the tests draw into build/ only.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
QT_QPA_PLATFORM=offscreen build/qk3xx-screenshot docs/images
