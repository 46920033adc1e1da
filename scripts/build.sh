#!/usr/bin/env bash
# Configures and builds everything into build/ (optimised, warnings on).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQK_REQUIRE_HELP_DOCUMENT=ON >/dev/null
cmake --build build -j"$(nproc)"
