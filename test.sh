#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs every test through CTest, then builds the
# Debian package and starts the program unpacked from it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DBRENVOY_SANITIZE=ON -DBRENVOY_BENCH=ON >/dev/null
cmake --build build/test --parallel 2
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/test --output-on-failure --timeout 600
# The Debian package: built, unpacked and started with --version.
scripts/package
