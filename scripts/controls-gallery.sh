#!/usr/bin/env bash
# Builds the control gallery (a window with every control of the window library),
# shows it under Wine on a private X display with the Japanese fonts and saves a
# picture of it as build/screenshots/controls.png.
# Needs: xvfb imagemagick fonts-ipafont-gothic fonts-wine xdotool x11-utils
#   (scripts/install-deps.sh build pictures)
# Usage: scripts/controls-gallery.sh [OUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/screenshots/controls.png}
build=$root/build/windows

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
nice -n 10 cmake --build "$build" --target trovex_gallery -j2
gallery=$build/tests/trovex_gallery.exe

# A prefix that draws (the tests' prefix has the null display driver).
export WINEPREFIX="${WINEPREFIX:-$root/build/wine}"
"$root/scripts/prepare-wine-prefix.sh"
"$root/scripts/screenshot.sh" "$out" "$gallery"
