#!/usr/bin/env bash
# Prepares the Wine prefix $WINEPREFIX for Trovex.exe as an installer would on Windows:
# the settings key, the App Paths entry of the program, and fonts under the designed
# Japanese face names so that the windows show their texts.
# Usage: WINEPREFIX=... scripts/prepare-wine-prefix.sh PROGRAM_DIR_IN_LINUX
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must be set}"
program_dir=$(cd "${1:?program folder}" && pwd)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# The reg tool takes its arguments in the locale's encoding: make that UTF-8.
export LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
reg() { "$wine" reg "$@" >/dev/null; }

mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/.trovex-installed" ]; then
  echo "Preparing the Wine prefix $WINEPREFIX (the first time takes a while)"
  "$wine" wineboot -i >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
fi

# The settings key: the program refuses to start without it.
reg add 'HKCU\Software\Vemko\Trovex β' /f
# The App Paths entry: the folder of the executable, ending in "\".
win_dir=$("$wine" winepath -w "$program_dir" 2>/dev/null | tr -d '\r')
reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Trovex.exe' /ve /d "${win_dir}\\Trovex.exe" /f
reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Trovex.exe' /v Path /d "${win_dir}\\" /f

# Japanese faces the windows ask for, mapped to the IPA fonts. Wine's own system
# font borrows its Japanese characters from "MS UI Gothic", so menus and message
# boxes show them too.
for face in 'ＭＳ Ｐゴシック' 'MS PGothic' 'MS UI Gothic'; do
  reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f
done
for face in 'ＭＳ ゴシック' 'MS Gothic'; do
  reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAGothic /f
done
# The title bars draw their buttons with Wine's symbol font (Marlett, from the
# fonts-wine package); copied into the prefix's fonts and registered, so that they
# show their symbols instead of the letters "0 1 r".
marlett=/usr/share/wine/fonts/marlett.ttf
if [ -f "$marlett" ]; then
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -f "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
  reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' /d marlett.ttf /f
else
  echo "prepare-wine-prefix.sh: $marlett is missing (package fonts-wine): title bar buttons show letters" >&2
fi
/usr/lib/wine/wineserver -w
touch "$WINEPREFIX/.trovex-installed"
