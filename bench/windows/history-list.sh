#!/usr/bin/env bash
# Builds the history list benchmark and runs it under Wine in the Windows
# build's private prefix: 2,000 history files (or $1) of 1,000 hits each (or $2).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/windows"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
nice -n 10 cmake --build "$build" --target trovex-history-list-bench -j2 >/dev/null
status=0
"$build/wine-run.sh" "$build/trovex-history-list-bench.exe" "${1:-2000}" "${2:-1000}" || status=$?
WINEPREFIX="$build/wineprefix" /usr/lib/wine/wineserver -k || true
exit "$status"
