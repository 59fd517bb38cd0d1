#!/usr/bin/env bash
# Installs the Debian packages the build needs, and any named as arguments,
# only those that are missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libsdl2-dev libpng-dev libjpeg-dev zlib1g-dev
  libgtest-dev googletest libbenchmark-dev
  libfreetype-dev xfonts-efont-unicode xfonts-shinonome fonts-misaki
  # An X server and Mesa's OpenGL: the software and OpenGL renderers are
  # compared on the same frames.
  xvfb libgl1-mesa-dri
  # Installing and packaging: the checkers of the desktop entry, the
  # AppStream metadata and the manual page, and what the .deb is built and
  # checked with, and xz and ar to compress the packages harder.
  desktop-file-utils appstream groff-base mandoc dpkg-dev fakeroot lintian xz-utils binutils
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
