#!/usr/bin/env bash
# Sets up a fresh machine, builds everything with warnings as errors and runs the whole test suite.
#   scripts/test.sh            # build/ : the normal build
#   BUILD_DIR=build-asan CMAKE_ARGS=-DVELUNOR_SANITIZE=ON scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" -G Ninja -DVELUNOR_WERROR=ON ${CMAKE_ARGS:-}
cmake --build "$build_dir" -j2
ctest --test-dir "$build_dir" --output-on-failure -j2 --timeout 300
