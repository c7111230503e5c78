#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Brenvoy.
#   ./run.sh            your own business, in the folder beside the program
#   ./run.sh --sample   the sample business, made fresh in a temporary folder
# Any other arguments go to the program (--data FOLDER, --version, --help).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBRENVOY_TESTS=OFF -DBRENVOY_BENCH=OFF >/dev/null
cmake --build build/release --parallel 2 --target brenvoy brenvoy_make_sample brenvoy_sample
if [ "${1:-}" = "--sample" ]; then
  shift
  folder="$(mktemp -d "${TMPDIR:-/tmp}/brenvoy-sample-XXXXXX")"
  build/release/bin/brenvoy_make_sample "$folder"
  exec build/release/bin/brenvoy --data "$folder" "$@"
fi
exec build/release/bin/brenvoy "$@"
