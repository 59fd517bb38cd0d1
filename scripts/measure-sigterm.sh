#!/usr/bin/env bash
# Sends SIGTERM to the real game at random moments of its start-up and of
# its shutdown, MEASURE_ENDS times each (default 25), under Xvfb with no
# window manager, and prints how long each end took and the slowest.
# Start-up: at a random moment from the spawn to the first frame (a signal
# before the game has taken SIGTERM over ends it by the default action).
# Shutdown: a first SIGTERM once the game plays starts its end, a second at
# a random moment of that end; both are timed from the first.
# Each end must leave nothing behind: no process of the game, no lock.
# Measures build/vorlumen, or the program named as the argument; the X
# display is the first free one from MEASURE_DISPLAY (default 90); the
# SDL is the one LD_LIBRARY_PATH finds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh xvfb libgl1-mesa-dri xdotool

program=$(realpath "${1:-build/vorlumen}")
work=$(mktemp -d /tmp/measure-sigterm.XXXXXX)
display=${MEASURE_DISPLAY:-90}
source scripts/xvfb-display.sh
ln -s "$PWD/build/Resource.dll" "$work/Resource.dll"
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$work"

now() { date +%s%N; }
ms() { echo $((($2 - $1) / 1000000)); }
start() {
  : > "$work/err"
  "$program" --game-dir "$work" --verbose 2> "$work/err" &
  game=$!
}
# Polls at 5 ms for the game's line; false once the game is gone.
wait_line() {
  until grep -q "$1" "$work/err"; do
    kill -0 "$game" 2> /dev/null || return 1
    sleep 0.005
  done
}
# Waits for the end; sets `ended` to the time and `result` to its status
# and whether anything of the game is left.
finish() {
  local status=0
  wait "$game" || status=$?
  ended=$(now)
  game=
  result="status $status"
  if pgrep -f -- "--game-dir $work" > /dev/null; then result="$result, a process is left"; fi
  if grep -q "@Vorlumen$(realpath "$work")\$" /proc/net/unix; then result="$result, the lock is left"; fi
}
random_ms() { echo $((RANDOM % ($1 + 1))); }
pause() { sleep "$(printf '0.%03d' "$1")"; }

# How long a start and an end take here, to spread the moments over them.
t0=$(now)
start
wait_line "first frame run"
startup=$(ms "$t0" "$(now)")
kill -TERM "$game"
t1=$(now)
finish
shutdown=$(ms "$t1" "$ended")
echo "start-up ${startup} ms, shutdown ${shutdown} ms (LD_LIBRARY_PATH=${LD_LIBRARY_PATH:-})"
[ "$startup" -lt 1000 ] || startup=999
[ "$shutdown" -lt 1000 ] || shutdown=999

slowest=0
over=0
ends=${MEASURE_ENDS:-25}
for kind in start-up shutdown; do
  for i in $(seq "$ends"); do
    if [ "$kind" = start-up ]; then
      at=$(random_ms "$startup")
      start
      pause "$at"
      kill -TERM "$game"
      t=$(now)
      what="at ${at} ms"
    else
      start
      wait_line "first frame run" || true
      at=$(random_ms "$shutdown")
      kill -TERM "$game"
      t=$(now)
      pause "$at"
      kill -TERM "$game" 2> /dev/null || true
      what="second at ${at} ms"
    fi
    finish
    took=$(ms "$t" "$ended")
    [ "$took" -gt "$slowest" ] && slowest=$took
    [ "$took" -ge 1000 ] && over=$((over + 1))
    echo "$kind $i: $what, gone in ${took} ms, $result"
  done
done
echo "$((2 * ends)) ends, $over took 1 s or more, the slowest ${slowest} ms"
