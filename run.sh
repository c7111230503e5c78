#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Brenvoy.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBRENVOY_TESTS=OFF -DBRENVOY_BENCH=OFF >/dev/null
cmake --build build/release --parallel 2 --target brenvoy
exec build/release/bin/brenvoy "$@"
