#!/usr/bin/env bash
# Installs Trovex into the Wine prefix $WINEPREFIX as a user would on Windows: the
# prefix gets its fonts (scripts/prepare-wine-prefix.sh), then the setup program
# BUILD/TrovexSetup.exe runs silently ("/S") when the installed Trovex.exe is
# missing or differs from BUILD/Trovex.exe. Prints the Linux path of the installed
# Trovex.exe.
# Usage: WINEPREFIX=... scripts/install-into-prefix.sh BUILD   (BUILD: build/windows)
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must be set}"
build=$(cd "${1:?build folder}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
wine=/usr/lib/wine/wine64

setup="$build/TrovexSetup.exe"
[ -f "$setup" ] || { echo "install-into-prefix.sh: $setup is missing (cmake --build $build --target installer)" >&2; exit 1; }
# The title names the program folder; it comes from the program's own header.
title=$(sed -n 's/^!define TROVEX_TITLE "\(.*\)"$/\1/p' "$build/installer/trovex_identity.nsh")
[ -n "$title" ] || { echo "install-into-prefix.sh: no title in $build/installer/trovex_identity.nsh" >&2; exit 1; }

"$root/scripts/prepare-wine-prefix.sh" >&2
installed="$WINEPREFIX/drive_c/Program Files/$title/Trovex.exe"
if ! cmp -s "$installed" "$build/Trovex.exe"; then
  echo "Installing $title into $WINEPREFIX with TrovexSetup.exe /S" >&2
  "$wine" "$setup" /S || { echo "install-into-prefix.sh: TrovexSetup.exe /S failed ($?)" >&2; exit 1; }
  /usr/lib/wine/wineserver -w
  cmp -s "$installed" "$build/Trovex.exe" ||
    { echo "install-into-prefix.sh: $installed is not the built program after the install" >&2; exit 1; }
fi
echo "$installed"
