#!/usr/bin/env bash
# Installs what is missing, builds Trovex.exe, prepares a Wine prefix as an installer
# would (settings key, App Paths entry, Japanese fonts) and starts the program on
# $DISPLAY. With no display it runs the program under Xvfb, saves a picture of the
# main window as build/screenshots/main.png and closes it again.
# The prefix is $WINEPREFIX when set, else build/wine.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh xvfb imagemagick fonts-ipafont-gothic fonts-wine xdotool x11-utils ||
  { echo "run.sh: installing packages failed"; exit 1; }
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j2 --target Trovex || { echo "run.sh: build failed"; exit 1; }

export WINEPREFIX="${WINEPREFIX:-$PWD/build/wine}"
scripts/prepare-wine-prefix.sh build/windows
exe="$PWD/build/windows/Trovex.exe"

if [ -z "${DISPLAY:-}" ]; then
  shot=build/screenshots/main.png
  scripts/screenshot.sh "$shot" "$exe"
  echo "run.sh: no display; the main window's picture is $PWD/$shot"
  exit 0
fi

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# No Wine process outlives the program, also when run.sh is interrupted.
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
/usr/lib/wine/wine64 "$exe" &
wait $!
