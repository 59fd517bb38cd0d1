#!/usr/bin/env bash
# Runs the real game in a window under Xvfb with Mesa, as a machine without a
# graphics card runs it, with the renderer it picks by default, with the
# software renderer forced and with OpenGL forced, and reports for the title,
# a floor and the open menu at window scales 3 and 5: frames presented a
# second, the game's CPU as a share of one core (all its threads), the X
# server's, context switches of the whole game a second and a frame, the
# resident size now and at its peak, and the heap's resident part (thread
# stacks included). MEASURE_SECONDS sets each screen's measuring time
# (default 10), MEASURE_RENDERERS the renderers ("default software opengl"),
# MEASURE_F5_ROUND=5 goes round the scales with F5 before measuring at 3,
# MEASURE_SCALES the scales ("3 5").
set -euo pipefail
cd "$(dirname "$0")/.."
# The X server, Mesa's OpenGL, a hand on the keys, and a compiler for the
# frame counter.
bash scripts/install-deps.sh xvfb libgl1-mesa-dri xdotool gcc

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build --target vorlumen resource_module > /dev/null
work=$(mktemp -d /tmp/measure-frames.XXXXXX)
gcc -O2 -shared -fPIC -o "$work/present_counter.so" tools/measure/present_counter.c -ldl

seconds=${MEASURE_SECONDS:-10}
round=${MEASURE_F5_ROUND:-0}
renderers=${MEASURE_RENDERERS:-default software opengl}
ticks=$(getconf CLK_TCK)

source scripts/xvfb-display.sh

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
switches() {
  cat /proc/"$1"/task/*/status 2> /dev/null |
    awk '/^(non)?voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}
# The heap's resident kilobytes: the brk heap and the allocator's mapped
# blocks (anonymous, private, writable), not the mapped module or libraries.
heap_kb() {
  awk '/^[0-9a-f]+-[0-9a-f]+ / { mine = ($2 ~ /^rw-p/ && ($6 == "" || $6 == "[heap]")) }
       mine && /^Rss:/ { kb += $2 } END { print kb + 0 }' "/proc/$1/smaps" 2> /dev/null || echo 0
}
presents() { od -An -t u8 "$1" 2> /dev/null | tr -d ' ' || echo 0; }

# One screen: what the game and the X server did over `seconds`.
measure() {
  local name=$1 counter=$2
  local t0 c0 x0 s0 p0 t1 c1 x1 s1 p1
  t0=$(date +%s%N); c0=$(cpu_ticks "$game"); x0=$(cpu_ticks "$xvfb"); s0=$(switches "$game"); p0=$(presents "$counter")
  sleep "$seconds"
  t1=$(date +%s%N); c1=$(cpu_ticks "$game"); x1=$(cpu_ticks "$xvfb"); s1=$(switches "$game"); p1=$(presents "$counter")
  awk -v r="$renderer" -v k="$scale" -v n="$name" -v c=$((c1 - c0)) -v x=$((x1 - x0)) -v s=$((s1 - s0)) \
      -v p=$((p1 - p0)) -v t="$(((t1 - t0) / 1000000))e-3" -v hz="$ticks" \
      -v rss="$(awk '/VmRSS/ { print $2 }' "/proc/$game/status")" \
      -v hwm="$(awk '/VmHWM/ { print $2 }' "/proc/$game/status")" \
      -v heap="$(heap_kb "$game")" \
      'BEGIN { printf "%-9s x%d  %-6s %6.1f %7.1f %%  %7.1f %%  %8.0f  %6.2f  %6.0f MB  %6.0f MB  %5.0f MB\n",
               r, k, n, p / t, 100 * c / hz / t, 100 * x / hz / t, s / t, p ? s / p : 0, rss / 1024, hwm / 1024, heap / 1024 }'
}

key() {
  xdotool key --window "$window" "$1"
  sleep "${2:-1.5}"
}

printf "%-9s %-4s %-6s %6s %9s %9s %9s %7s %9s %9s %8s\n" renderer scale screen fps "game CPU" "X server" "switch/s" "/frame" resident peak heap
for renderer in $renderers; do
  for scale in ${MEASURE_SCALES:-3 5}; do
    folder="$work/game-$renderer-$scale"
    mkdir -p "$folder"
    cp build/vorlumen "$folder/"
    ln -s "$PWD/build/Resource.dll" "$folder/Resource.dll"
    counter="$folder/presents"
    driver=()
    [ "$renderer" = default ] || driver=(env "SDL_RENDER_DRIVER=$renderer")
    PRESENT_COUNTER_FILE="$counter" LD_PRELOAD="$work/present_counter.so" SDL_AUDIODRIVER=dummy \
      "${driver[@]}" "$folder/vorlumen" > "$folder/out.txt" 2>&1 &
    game=$!
    window=$(xdotool search --sync --name '^Vorlumen$' | head -n 1)
    xdotool windowfocus "$window" 2> /dev/null || true
    sleep 1
    if [ "$scale" = 5 ]; then key F5 0.5; key F5 0.5; fi
    # Round the scales and back to 3 (five steps on this screen), as a
    # player trying each one does.
    if [ "$scale" = 3 ]; then for _ in $(seq "$round"); do key F5 0.5; done; fi
    sleep 8  # the logo, then the title menu
    measure title "$counter"
    # NEW GAME, the class, the dungeon (the tutorial on a first run), and
    # once more in case a screen was still sliding in: on the floor SELECT
    # alone does nothing.
    for _ in 1 2 3 4; do key z 3; done
    sleep 5  # the floor's banner
    measure floor "$counter"
    key s 2
    measure menu "$counter"
    kill "$game"
    wait "$game" 2> /dev/null || true
    game=
  done
done
