#!/usr/bin/env bash
# Runs the display tests over and over while busy loops keep the machine's
# cores loaded, as a player's machine or a shared CI runner may be:
#
#   bash scripts/test-under-load.sh [-r REPEATS] [-b BUSY] [--all] [-- GTEST OPTIONS]
#
#   -r REPEATS  --gtest_repeat for the test binary (default 10)
#   -b BUSY     busy loops running meanwhile (default 6)
#   --all       every test in one process in a shuffled order (as the
#               OneProcessShuffled test runs them), a new seed each repeat
#
# Uses the build in build/ (VORLUMEN_BUILD names another); build it first.
# Prints how many repeats passed and exits non-zero when any failed.
set -euo pipefail
cd "$(dirname "$0")/.."

repeats=10
busy=6
all=
while [ $# -gt 0 ]; do
  case "$1" in
    -r) repeats=$2; shift 2 ;;
    -b) busy=$2; shift 2 ;;
    --all) all=1; shift ;;
    --) shift; break ;;
    *) echo "usage: $0 [-r REPEATS] [-b BUSY] [--all] [-- GTEST OPTIONS]" >&2; exit 2 ;;
  esac
done

tests=${VORLUMEN_BUILD:-build}/tests/vorlumen_tests
if [ ! -x "$tests" ]; then
  echo "$tests: not built" >&2
  exit 2
fi
# The real program on X desktops (under each window manager, on screens
# that change, installed, played with a pad), on displays whose OpenGL
# cannot serve it, on Wayland; X errors and both renderers on an X server;
# the window's picture and scale in process.
display='DesktopWindow.*:Managers/*:ScreenChange.*:InstalledCopy.*:AnyDisplay.*:Displays/*:WaylandDesk.*'
display+=':Setups/PadStart.*:Setups/PadJourney.*:X11Errors.*:RendererAgreement.*:WindowPicture*:WindowScaleKept*:MainWindow*'

loops=()
stop_loops() {
  for pid in "${loops[@]}"; do kill "$pid" 2> /dev/null || true; done
  wait 2> /dev/null || true
}
trap stop_loops EXIT
for _ in $(seq "$busy"); do
  (while :; do :; done) &
  loops+=($!)
done

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
log=$(mktemp)
trap 'stop_loops; rm -f "$log"' EXIT
status=0
if [ -n "$all" ]; then
  # One process per repeat, each in another order.
  passed=0
  for i in $(seq "$repeats"); do
    if "$tests" --gtest_shuffle --gtest_random_seed="$i" --gtest_brief=1 "$@" > "$log" 2>&1; then
      passed=$((passed + 1))
    else
      status=1
      echo "--- seed $i failed:"
      grep -E '^\[  FAILED  \]|Failure' "$log" | head -20 || true
    fi
  done
  echo "$passed of $repeats shuffled runs passed with $busy busy loops"
else
  "$tests" --gtest_filter="$display" --gtest_repeat="$repeats" --gtest_brief=1 "$@" > "$log" 2>&1 || status=1
  grep -E '^\[  FAILED  \]|Failure$' "$log" | head -40 || true
  failed=$(grep -c '^\[  FAILED  \] [0-9]* tests\?, listed below' "$log" || true)
  echo "$((repeats - failed)) of $repeats repeats passed with $busy busy loops"
fi
exit "$status"
