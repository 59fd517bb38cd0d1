#!/usr/bin/env bash
# Runs every test of the game (ctest, the packaging checks aside) on the
# SDLs players have besides the one the game is built against: SDL 2.32,
# and sdl2-compat over SDL3. Each is built once from ../shared/sdl/ into the
# build folder (a second run builds nothing) and put first on
# LD_LIBRARY_PATH, where the game the tests start finds it too.
#   VORLUMEN_SDL_CACHE=DIR   SDLs already built there (DIR/sdl2-2.32,
#                            DIR/sdl3, DIR/sdl2-compat), or where to build them
#   VORLUMEN_SDL_SOURCES=DIR where the source archives are
#   VORLUMEN_SDL_ONLY=NAME   one of them only: sdl2-2.32 or sdl2-compat
#   VORLUMEN_BUILD=DIR       the build folder (build, or build-asan with
#                            VORLUMEN_SANITIZE=1)
#   --build-only             builds (or finds) them and runs nothing
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD
build=build
[ -n "${VORLUMEN_SANITIZE:-}" ] && build=build-asan
build=$(realpath -m "${VORLUMEN_BUILD:-$build}")
cache=${VORLUMEN_SDL_CACHE:-$build/sdl}
sources=${VORLUMEN_SDL_SOURCES:-$project/../shared/sdl}
jobs=$(nproc)

# What SDL, SDL3 and sdl2-compat need to build with X11 and Wayland.
sdl_build_deps=(libx11-dev libxext-dev libxrandr-dev libxcursor-dev libxi-dev libxinerama-dev libxss-dev libxtst-dev
  libxkbcommon-dev libgl-dev libasound2-dev libpulse-dev libwayland-dev wayland-protocols libdecor-0-dev)

# Unpacks archive $1 and builds it into prefix $2 with CMake options $3...,
# unless the prefix holds its library already.
build_one() {
  local archive=$1 prefix=$2 library=$3
  shift 3
  if [ -e "$prefix/lib/$library" ]; then
    echo "== $(basename "$prefix"): built already in $prefix"
    return
  fi
  [ -f "$sources/$archive" ] || { echo "no $sources/$archive" >&2; exit 1; }
  bash scripts/install-deps.sh "${sdl_build_deps[@]}"
  echo "== building $archive into $prefix"
  local work=$cache/work/$(basename "$prefix")
  rm -rf "$work"
  mkdir -p "$work"
  (cd "$sources" && sha256sum --check --ignore-missing --quiet SHA256SUMS)
  tar -xzf "$sources/$archive" -C "$work" --strip-components=1
  cmake -S "$work" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_INSTALL_LIBDIR=lib "$@" > "$work/configure.log"
  cmake --build "$work/build" -j "$jobs" > "$work/build.log"
  cmake --install "$work/build" > /dev/null
  rm -rf "$work"
}

mkdir -p "$cache"
only=${VORLUMEN_SDL_ONLY:-}
if [ -z "$only" ] || [ "$only" = sdl2-2.32 ]; then
  build_one SDL2-2.32.10.tar.gz "$cache/sdl2-2.32" libSDL2-2.0.so.0 \
    -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_X11=ON -DSDL_WAYLAND=ON -DSDL_TEST=OFF
fi
if [ -z "$only" ] || [ "$only" = sdl2-compat ]; then
  build_one SDL3-3.4.14.tar.gz "$cache/sdl3" libSDL3.so.0 \
    -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_X11=ON -DSDL_WAYLAND=ON -DSDL_TEST_LIBRARY=OFF -DSDL_TESTS=OFF -DSDL_EXAMPLES=OFF
  build_one sdl2-compat-2.32.70.tar.gz "$cache/sdl2-compat" libSDL2-2.0.so.0 \
    -DCMAKE_PREFIX_PATH="$cache/sdl3" -DSDL2COMPAT_TESTS=OFF
fi
[ "${1:-}" = --build-only ] && exit 0

tests=$build/tests/vorlumen_tests
[ -x "$tests" ] || { echo "no $tests: build the project first" >&2; exit 1; }
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# A test that fails fails the run on that SDL: nothing is run twice.
failed=()
summary=()
for name in sdl2-2.32 sdl2-compat; do
  [ -n "$only" ] && [ "$only" != "$name" ] && continue
  path=$cache/$name/lib
  [ "$name" = sdl2-compat ] && path=$path:$cache/sdl3/lib
  # The SDL that is loaded, as the game asks it.
  version=$(LD_LIBRARY_PATH=$path python3 -c '
import ctypes
sdl = ctypes.CDLL("libSDL2-2.0.so.0")
v = (ctypes.c_uint8 * 3)()
sdl.SDL_GetVersion(v)
print("%d.%d.%d" % tuple(v))')
  echo "== $name: SDL $version from $path"
  # Not this script's own tests again, nor the packages, which hold no SDL.
  if LD_LIBRARY_PATH=$path ctest --test-dir "$build" --output-on-failure -j "$jobs" -LE sdl-versions -E '^dist[.]'; then
    summary+=("$name: passed")
  else
    summary+=("$name: FAILED")
    failed+=("$name")
  fi
done
echo "== ${summary[*]/%/;}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "== tests failed on: ${failed[*]}" >&2
  exit 1
fi
