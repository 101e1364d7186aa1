#!/usr/bin/env bash
# A search as a user runs it under Wine, on the generated corpora of bench/e2e.sh:
# the desktop program from 開始 to the finished result window (pre-count included)
# beside trovex-find.exe with the same text, each run $1 times (3 by default).
#   bench/windows/live-search.sh [runs] [corpus ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/windows"
runs=${1:-3}
shift || true
corpora=("$@")
[ ${#corpora[@]} -gt 0 ] || corpora=("$root/build/bench/corpus-small" "$root/build/bench/corpus")
for corpus in "${corpora[@]}"; do
  [ -f "$corpus/.complete" ] || { echo "no corpus $corpus: run bench/e2e.sh first"; exit 1; }
done
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
nice -n 10 cmake --build "$build" --target trovex-live-search-bench trovex-find -j2 >/dev/null
text=quuxneedle42   # the ASCII needle of bench/e2e.sh
export WINEPREFIX="$build/wineprefix"
# One server for every run (no start-up in the times); its output kept off this
# script's, which a caller may be reading to its end.
/usr/lib/wine/wineserver -p 60 </dev/null >/dev/null 2>&1 || true
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
for corpus in "${corpora[@]}"; do
  folder=$(WINEDEBUG=-all /usr/lib/wine/wine64 winepath -w "$corpus" 2>/dev/null | tr -d '\r')
  echo "== $corpus ($folder)"
  times=()
  for run in $(seq "$runs"); do
    start=$(date +%s.%N)
    lines=$("$build/wine-run.sh" "$build/trovex-find.exe" "$text" "$folder" | wc -l)
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc)")
    echo "trovex-find.exe run $run: ${times[-1]} s, $lines hit lines"
  done
  echo "trovex-find.exe median: $(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p") s"
  "$build/wine-run.sh" "$build/trovex-live-search-bench.exe" "$folder" "$text" "$runs"
done
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
