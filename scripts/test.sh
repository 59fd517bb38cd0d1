#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# VORLUMEN_SANITIZE=1 builds and runs under AddressSanitizer + UBSan in build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

build=build
args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ -n "${VORLUMEN_SANITIZE:-}" ]; then
  build=build-asan
  args=(-DCMAKE_BUILD_TYPE=Debug -DVORLUMEN_SANITIZE=ON)
fi
if [ "${CI:-}" = "true" ]; then args+=(-DVORLUMEN_WERROR=ON); fi

cmake -S . -B "$build" -G Ninja "${args[@]}" > /dev/null
cmake --build "$build"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
