#!/usr/bin/env bash
# Regenerates platform/text/*_table.cpp from the system's code page 932,
# LCMapStringEx("ja-JP") and CharLowerBuffW: builds the generator with MinGW and
# runs it under Wine in a private prefix. The tables are committed; the product
# build never runs this.
# Usage: scripts/gen-text-tables.sh [work folder, default build/gen-text-tables]
set -euo pipefail
cd "$(dirname "$0")/.."
work="${1:-build/gen-text-tables}"
mkdir -p "$work"
work="$(cd "$work" && pwd)"

x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -static \
  -D_WIN32_WINNT=0x0601 -DUNICODE -D_UNICODE \
  platform/text/gen/gen_text_tables.cpp -o "$work/gen_text_tables.exe" -luser32

export WINEPREFIX="$work/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
unset DISPLAY
wine=/usr/lib/wine/wine64
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
if [ ! -f "$WINEPREFIX/.ready" ]; then
  "$wine" wineboot -i >/dev/null 2>&1 || true
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/.ready"
fi

# The generator writes into a fresh folder; the tables replace the committed ones
# only when it succeeded.
rm -rf "$work/out" && mkdir -p "$work/out"
(cd "$work" && "$wine" gen_text_tables.exe out)
for f in cp932_table.cpp width_kana_table.cpp lower_case_table.cpp; do
  cp "$work/out/$f" "platform/text/$f"
done
echo "gen-text-tables: wrote platform/text/{cp932,width_kana,lower_case}_table.cpp"
