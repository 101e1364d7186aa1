#!/usr/bin/env bash
# Installs what is missing, builds Trovex.exe and its setup program, installs the
# program into a Wine prefix with "TrovexSetup.exe /S" when the installed one is
# missing or differs from the build, and starts the installed program on $DISPLAY.
# With no display it runs the program under Xvfb, saves a picture of the main window
# as build/screenshots/main.png and closes it as a user would (WM_CLOSE to the main
# window), so that the program writes its settings.
# The prefix is $WINEPREFIX when set, else build/wine.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh build pictures ||
  { echo "run.sh: installing packages failed"; exit 1; }
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j2 --target Trovex installer trovex_close ||
  { echo "run.sh: build failed"; exit 1; }

export WINEPREFIX="${WINEPREFIX:-$PWD/build/wine}"
exe=$(scripts/install-into-prefix.sh build/windows) || { echo "run.sh: installing failed"; exit 1; }

if [ -z "${DISPLAY:-}" ]; then
  shot=build/screenshots/main.png
  scripts/screenshot.sh --close-with "$PWD/build/windows/trovex-close.exe" "$shot" "$exe"
  echo "run.sh: no display; the main window's picture is $PWD/$shot"
  exit 0
fi

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
# No Wine process outlives the program, also when run.sh is interrupted.
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
/usr/lib/wine/wine64 "$exe" &
wait $!
