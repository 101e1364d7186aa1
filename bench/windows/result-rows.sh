#!/usr/bin/env bash
# Builds the result-window rows benchmark and runs it under Wine in the Windows
# build's private prefix: 100,000 hit lines (or $1) over 2,000 files (or $2).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/windows"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
nice -n 10 cmake --build "$build" --target trovex-result-rows-bench -j2 >/dev/null
status=0
"$build/wine-run.sh" "$build/trovex-result-rows-bench.exe" "${1:-100000}" "${2:-2000}" || status=$?
WINEPREFIX="$build/wineprefix" /usr/lib/wine/wineserver -k || true
exit "$status"
