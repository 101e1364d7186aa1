#!/usr/bin/env bash
# A picture of every window there is, for a person to look at: builds the desktop
# program, its setup program and the control gallery, installs the program into a
# drawing Wine prefix (build/wine) with TrovexSetup.exe /S, and saves one PNG per
# window in build/screenshots/. The main window, its option panel and a result
# window are taken once more at 150 % (144 DPI) as main-150.png, options-150.png and
# result-150.png.
# Not part of the tests. Needs the packages of ./run.sh (installed when missing).
#   TOUR_BUILD=DIR   the MinGW build folder to use (default build/windows)
#   TOUR_ONLY=150    only the 150 % pictures
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh build pictures
build=${TOUR_BUILD:-build/windows}
only=${TOUR_ONLY:-}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
nice -n 10 cmake --build "$build" --target Trovex installer trovex_gallery trovex_dialog_pictures trovex_search_pictures -j2
bin=$(cd "$build" && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wine}"
scripts/install-into-prefix.sh "$build" >/dev/null
shots=build/screenshots
mkdir -p "$shots"

# The screen's DPI of the prefix (Wine reads it when its server starts; every picture
# starts a new one). Set back to 96 when the tour ends, however it ends.
set_dpi() {
  LC_ALL=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 reg add \
    'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  /usr/lib/wine/wineserver -w
}
trap 'set_dpi 96' EXIT
set_dpi 96

if [ "$only" != 150 ]; then
# 1. The main window as it starts.
scripts/screenshot.sh "$shots/main.png" "$bin/Trovex.exe"
# 2. Every control of the window library (scripts/controls-gallery.sh).
scripts/screenshot.sh "$shots/controls.png" "$bin/tests/trovex_gallery.exe"
# 3. The main window extended with the search option panel open (Tab from the
#    search box to "検索オプション", then Space).
scripts/screenshot.sh --keys "Tab space" --delay 2 "$shots/options.png" "$bin/Trovex.exe"
# 4. The text-to-bytes conversion dialog showing a UTF-8 byte list.
scripts/screenshot.sh --mouse 1,1 "$shots/conversion.png" "$bin/tests/trovex_dialog_pictures.exe" conversion
# 5. The option column extended by "拡大": the view option pages.
scripts/screenshot.sh "$shots/view-options.png" "$bin/tests/trovex_dialog_pictures.exe" view-options
# 6. The one-line input dialog, as the rename of a result shows it.
scripts/screenshot.sh --mouse 1,1 "$shots/input.png" "$bin/tests/trovex_dialog_pictures.exe" input
# 7. The location browser inside a folder: the first drive (C:), then its first
#    folder, opened by double clicks on the top item of the list.
scripts/screenshot.sh --dblclick "245,297 245,297" --mouse 900,700 "$shots/browser.png" "$bin/Trovex.exe"
# 8. The pre-count dialog of a search over the main window.
scripts/screenshot.sh "$shots/precount.png" "$bin/tests/trovex_search_pictures.exe" precount
# 9. A result window with the rows of a search of sample files (a .docx, a .pdf, a .zip
#    entry and a .gz among them, found through their text).
scripts/screenshot.sh --delay 2 "$shots/result.png" "$bin/tests/trovex_search_pictures.exe" result
#    The same while its run lasts, with the power option on (スタンバイ chosen).
scripts/screenshot.sh --delay 3 "$shots/result-power.png" "$bin/tests/trovex_search_pictures.exe" result-power
#     A search by regular expression: the option panel with 正規表現 checked and a
#     pattern typed, then the result window of that search.
scripts/screenshot.sh --mouse 1,1 "$shots/options-regex.png" "$bin/tests/trovex_search_pictures.exe" options-regex
scripts/screenshot.sh --delay 2 "$shots/result-regex.png" "$bin/tests/trovex_search_pictures.exe" result-regex
# 10. The history list over a folder of saved results, the second row chosen.
scripts/screenshot.sh --mouse 1,1 "$shots/history.png" "$bin/tests/trovex_search_pictures.exe" history
# 11. The error log viewer with two entries of a refused power action.
scripts/screenshot.sh --mouse 1,1 "$shots/errorlog.png" "$bin/tests/trovex_dialog_pictures.exe" errorlog
# 12. The binary view of a Shift-JIS text file, as hex and characters, then as text.
scripts/screenshot.sh --mouse 1,1 "$shots/binary.png" "$bin/tests/trovex_dialog_pictures.exe" binary
scripts/screenshot.sh --mouse 1,1 "$shots/binary-text.png" "$bin/tests/trovex_dialog_pictures.exe" binary-text
# 13. The binary view opened on a hit of "バイナリビュー", highlighted in both panes.
scripts/screenshot.sh --mouse 1,1 "$shots/binary-hit.png" "$bin/tests/trovex_dialog_pictures.exe" binary-hit
# 14. The version window over the main window: a double click on the version button
#     (the first click opens it; the second meets the main window, disabled under it).
scripts/screenshot.sh --dblclick "383,238" --mouse 900,700 --delay 2 "$shots/version.png" "$bin/Trovex.exe"
# 15. The power action's mode dialog, then its countdown held six seconds in.
scripts/screenshot.sh --mouse 1,1 "$shots/exitmode.png" "$bin/tests/trovex_dialog_pictures.exe" exitmode
scripts/screenshot.sh --mouse 1,1 "$shots/countdown.png" "$bin/tests/trovex_dialog_pictures.exe" countdown
# 16. The first page of the setup program (left open, then ended with the prefix's processes).
scripts/screenshot.sh "$shots/setup.png" "$bin/TrovexSetup.exe"
fi

# 17. At 150 %: the main window as it starts, with its option panel open, and the
#     result window of the sample search (the same steps as 1, 3 and 9). The clicks
#     and keys of those steps do not depend on where the controls are.
set_dpi 144
scripts/screenshot.sh --size 1280x960 "$shots/main-150.png" "$bin/Trovex.exe"
scripts/screenshot.sh --size 1280x960 --keys "Tab space" --delay 2 "$shots/options-150.png" "$bin/Trovex.exe"
scripts/screenshot.sh --size 1280x960 --delay 2 "$shots/result-150.png" "$bin/tests/trovex_search_pictures.exe" result
set_dpi 96

echo "tour.sh: pictures in $root/$shots:"
ls -1 "$shots"
