#!/usr/bin/env bash
# Starts the real game in a window under Xvfb with Mesa, MEASURE_STARTS
# times (default 5) with the renderer it picks and as many times with
# SDL_RENDER_DRIVER=software, in turn, and prints each start's time from
# the program's loading to its first frame presented, and the medians.
# Measures build/vorlumen, or the program named as the argument; the X
# display is the first free one from MEASURE_DISPLAY (default 90).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh xvfb libgl1-mesa-dri xdotool gcc

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target vorlumen resource_module > /dev/null
program=$(realpath "${1:-build/vorlumen}")
work=$(mktemp -d /tmp/measure-start.XXXXXX)
gcc -O2 -shared -fPIC -o "$work/present_counter.so" tools/measure/present_counter.c -ldl

display=${MEASURE_DISPLAY:-90}
source scripts/xvfb-display.sh

for renderer in default software; do
  mkdir -p "$work/$renderer"
  cp "$program" "$work/$renderer/vorlumen"
  ln -s "$PWD/build/Resource.dll" "$work/$renderer/Resource.dll"
done
for _ in $(seq "${MEASURE_STARTS:-5}"); do
  for renderer in default software; do
    first="$work/$renderer/first"
    rm -f "$first"
    driver=()
    [ "$renderer" = default ] || driver=(env "SDL_RENDER_DRIVER=$renderer")
    PRESENT_FIRST_FILE="$first" LD_PRELOAD="$work/present_counter.so" SDL_AUDIODRIVER=dummy \
      "${driver[@]}" "$work/$renderer/vorlumen" > /dev/null 2>&1 &
    game=$!
    for _ in $(seq 200); do [ -s "$first" ] && break; sleep 0.05; done
    kill "$game"
    wait "$game" 2> /dev/null || true
    game=
    printf "%-9s %8s ms\n" "$renderer" "$(cat "$first" 2> /dev/null || echo none)"
    cat "$first" >> "$work/$renderer.all" 2> /dev/null || true
  done
done
for renderer in default software; do
  sort -n "$work/$renderer.all" | awk -v r="$renderer" '{ t[NR] = $1 } END { printf "median %-9s %6.1f ms\n", r, NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2 }'
done
