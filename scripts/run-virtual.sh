#!/usr/bin/env bash
# Dependencies, build, then the program on the virtual evaluation board. Extra arguments go to it
# (try --help).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec build/qk3xx-virtual "$@"
