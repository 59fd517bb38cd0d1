#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# VORLUMEN_SANITIZE=1 builds and runs under AddressSanitizer + UBSan in build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."
# The display tests and the renderer comparison: an X server, window
# managers (stacking, tiling, maximising) and their commands, keys,
# screenshots and Mesa's OpenGL; Xorg's dummy driver and xrandr for screens
# that change. With all of them installed here, a test that finds one
# missing fails (VORLUMEN_TESTS_CHECK_ALL) instead of skipping.
bash scripts/install-deps.sh xvfb openbox i3-wm fluxbox wmctrl xdotool x11-apps x11-utils libgl1-mesa-dri \
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
# The Wayland tests: a compositor that runs headless, and its screenshots.
bash scripts/install-deps.sh weston python3

build=build
args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ -n "${VORLUMEN_SANITIZE:-}" ]; then
  build=build-asan
  args=(-DCMAKE_BUILD_TYPE=Debug -DVORLUMEN_SANITIZE=ON)
fi
if [ "${CI:-}" = "true" ]; then args+=(-DVORLUMEN_WERROR=ON); fi

cmake -S . -B "$build" -G Ninja "${args[@]}" > /dev/null
cmake --build "$build"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VORLUMEN_TESTS_CHECK_ALL=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -LE sdl-versions
# The same tests on SDL 2.32 and on sdl2-compat over SDL3 (built once), which
# players have as libSDL2; VORLUMEN_SDL_VERSIONS=0 leaves them out. The
# sanitizers look at the game's own code, which the SDL under it does not
# change: the sanitizer build runs on the SDL it is built against only.
if [ "${VORLUMEN_SDL_VERSIONS:-1}" != 0 ] && [ -z "${VORLUMEN_SANITIZE:-}" ]; then bash scripts/test-sdl-versions.sh; fi
