#!/usr/bin/env bash
# The installed files checked as desktops, software centres and man read
# them, and the packages as Debian's lintian does. Exits 77 (skipped) where
# the checker is not installed, or fails naming it where the run must check
# (CI=true, or the test command's VORLUMEN_TESTS_CHECK_ALL=1).
#
#   check-dist.sh desktop FILE.desktop | metainfo FILE.xml | manual FILE.6
#   check-dist.sh packages BUILD_DIR
set -euo pipefail

need() {
  for tool in "$@"; do
    command -v "$tool" > /dev/null && continue
    echo "$tool is not installed"
    if [ "${CI:-}" = true ] || [ "${VORLUMEN_TESTS_CHECK_ALL:-}" = 1 ]; then exit 1; fi
    exit 77
  done
}

# Passes only when the checker says nothing at all (no warning either).
silent() {
  local out
  out=$("$@" 2>&1) || { echo "$out"; exit 1; }
  [ -z "$out" ] || { echo "$out"; exit 1; }
}

case "$1" in
  desktop)
    need desktop-file-validate
    silent desktop-file-validate "$2"
    echo "desktop-file-validate: no error, no warning"
    ;;
  metainfo)
    need appstreamcli
    appstreamcli validate --no-net --pedantic "$2"
    ;;
  manual)
    need groff
    silent groff -man -ww -z "$2"
    echo "groff -man -ww -z: nothing"
    if command -v mandoc > /dev/null; then
      silent mandoc -T lint "$2"
      echo "mandoc -T lint: nothing"
    fi
    ;;
  packages)
    need cpack dpkg-shlibdeps lintian dpkg-deb
    build=$2
    out=$build/packages
    rm -rf "$out"
    start=$(date +%s)
    cpack --config "$build/CPackConfig.cmake" -B "$out" -G "DEB;TXZ" > "$out.log" 2>&1 || { cat "$out.log"; exit 1; }
    echo "cpack: $(( $(date +%s) - start )) s"
    rm -rf "$out/_CPack_Packages"
    deb=$(ls "$out"/*.deb)
    tgz=$(ls "$out"/*.tar.xz)
    # What a player downloads, and what the package takes once installed.
    echo "sizes: $(basename "$deb") $(( $(stat -c %s "$deb") / 1048576 )) MB," \
      "$(basename "$tgz") $(( $(stat -c %s "$tgz") / 1048576 )) MB," \
      "installed $(( $(dpkg-deb --field "$deb" Installed-Size) / 1024 )) MB"
    [ "$(stat -c %s "$deb")" -le $(( 55 * 1048576 )) ] || { echo "$deb is larger than 55 MB"; exit 1; }
    dpkg-deb --field "$deb" Package Version Section Depends
    # Debian's layout in the .deb, the movable tree of `cmake --install` in the archive.
    debfiles=$(dpkg-deb --contents "$deb")
    tgzfiles=$(tar -tJf "$tgz")
    grep -q ' ./usr/games/vorlumen$' <<< "$debfiles" || { echo "no /usr/games/vorlumen in $deb"; exit 1; }
    grep -q ' ./usr/share/vorlumen/Resource.dll$' <<< "$debfiles" || { echo "no Resource.dll in $deb"; exit 1; }
    dpkg-deb --field "$deb" Depends | grep -q libsdl2 || { echo "no dependency on SDL computed"; exit 1; }
    grep -q '/bin/vorlumen$' <<< "$tgzfiles" || { echo "no bin/vorlumen in $tgz"; exit 1; }
    grep -q '/share/vorlumen/Resource.dll$' <<< "$tgzfiles" || { echo "no Resource.dll in $tgz"; exit 1; }
    start=$(date +%s)
    lintian --fail-on error --tag-display-limit 0 "$deb" || { echo "lintian found errors"; exit 1; }
    echo "lintian: $(( $(date +%s) - start )) s, no error"
    ;;
  *)
    echo "usage: check-dist.sh desktop|metainfo|manual FILE, or packages BUILD_DIR" >&2
    exit 2
    ;;
esac
