#!/usr/bin/env bash
# Installs what is missing, builds the game and its resource module, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target vorlumen resource_module
exec ./build/vorlumen "$@"
