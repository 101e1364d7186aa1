#!/usr/bin/env bash
# Prepares the Wine prefix $WINEPREFIX for Trovex.exe with what a setup program
# cannot do: the prefix itself, the user's folders (Desktop, Documents, ...) kept
# inside the prefix instead of Wine's links to the Linux home, and fonts under the
# designed Japanese face names so that the windows show their texts. The program's
# own registry entries and folders come from TrovexSetup.exe
# (scripts/install-into-prefix.sh).
# Usage: WINEPREFIX=... scripts/prepare-wine-prefix.sh
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must be set}"
# winemenubuilder would turn the program's shortcuts into Linux desktop and menu entries.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win64
# The reg tool takes its arguments in the locale's encoding: make that UTF-8.
export LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
reg() { "$wine" reg "$@" >/dev/null; }

mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/.trovex-fonts" ]; then
  echo "Preparing the Wine prefix $WINEPREFIX (the first time takes a while)"
  "$wine" wineboot -i >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
fi

# A new prefix links Desktop, Documents and the like to the Linux home: the desktop
# shortcut of one prefix would land in $HOME, shared by every prefix. Each such
# link becomes a folder of the prefix.
for users in "$WINEPREFIX"/drive_c/users/*/; do
  for link in "$users"*; do
    if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
  done
done

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
touch "$WINEPREFIX/.trovex-fonts"
