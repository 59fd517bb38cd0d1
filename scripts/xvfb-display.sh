# Sourced by the measuring scripts, with `work` set to their scratch folder:
# starts Xvfb 1920 x 1080 on the first free display from $display (90 when
# unset) and exports DISPLAY; on exit kills $game, if any, and the server,
# and removes $work.
display=${display:-90}
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1920x1080x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
game=
cleanup() {
  [ -n "$game" ] && kill "$game" 2> /dev/null || true
  kill "$xvfb" 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xdotool getdisplaygeometry > /dev/null 2>&1 && break; sleep 0.1; done
