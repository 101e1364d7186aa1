#!/usr/bin/env bash
# End-to-end benchmark: trovex-find against ripgrep and grep on a generated corpus
# (about 20,000 files, 1 GiB) with a warm cache.
#   bench/e2e.sh [runs]
# First checks that the tools agree on the set of matching files, then times them
# with hyperfine and prints the medians and the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}

scripts/install-deps.sh hyperfine ripgrep python3

cmake -S . -B build/native >/dev/null
cmake --build build/native -j2 --target trovex-find trovex-make-corpus >/dev/null

find=build/native/trovex-find
corpus=build/bench/corpus
work=build/bench
mkdir -p "$work"
if [ ! -f "$corpus/.complete" ]; then
  rm -rf "$corpus"
  build/native/trovex-make-corpus "$corpus"
  touch "$corpus/.complete"
fi

ascii=quuxneedle42
sjis_utf8="検索結果"                                  # trovex-find converts it to CP932
printf '%s' "$sjis_utf8" | iconv -f UTF-8 -t CP932 > "$work/sjis-needle.txt"  # for grep -f

# The matching files, one path a line, sorted. A hit line splits at its last "=".
list_find() { "$find" --cached "$1" "$corpus" | sed 's/=[^=]*$//' | sort; }
list_rg()   { rg --no-config -l -F -uuu -a -E none "$1" "$corpus" | sort; }
list_grep() { LC_ALL=C grep -rlF -a "$@" "$corpus" | sort; }

echo "== agreement"
list_find "$ascii"                    > "$work/find-ascii.txt"
list_rg "$ascii"                      > "$work/rg-ascii.txt"
list_grep "$ascii"                    > "$work/grep-ascii.txt"
list_find "$sjis_utf8"                > "$work/find-sjis.txt"
list_grep -f "$work/sjis-needle.txt"  > "$work/grep-sjis.txt"
status=0
for pair in "find-ascii rg-ascii" "find-ascii grep-ascii" "find-sjis grep-sjis"; do
  set -- $pair
  if cmp -s "$work/$1.txt" "$work/$2.txt"; then
    echo "$1 = $2 ($(wc -l < "$work/$1.txt") files)"
  else
    echo "$1 and $2 DIFFER"; diff "$work/$1.txt" "$work/$2.txt" | head; status=1
  fi
done
[ "$(wc -l < "$work/find-ascii.txt")" -gt 0 ] || { echo "no ASCII hits"; status=1; }
[ "$(wc -l < "$work/find-sjis.txt")" -gt 0 ] || { echo "no Shift-JIS hits"; status=1; }
[ $status -eq 0 ] || exit 1

echo "== timing (warm cache, $runs runs each)"
# Commands run without a shell (-N); the warm-up runs fill the cache.
hf() {
  hyperfine -N --warmup 2 --runs "$runs" --export-json "$work/$1.json" "${@:2}" >/dev/null
}
hf ascii \
  -n trovex-find "$find --cached $ascii $corpus" \
  -n "rg -j1" "rg --no-config -l -F -uuu -a -E none -j1 $ascii $corpus" \
  -n rg "rg --no-config -l -F -uuu -a -E none $ascii $corpus" \
  -n grep "env LC_ALL=C grep -rlF -a $ascii $corpus"
hf sjis \
  -n trovex-find "$find --cached $sjis_utf8 $corpus" \
  -n grep "env LC_ALL=C grep -rlF -a -f $work/sjis-needle.txt $corpus"

python3 - "$work/ascii.json" "$work/sjis.json" <<'EOF'
import json, sys
def medians(path):
    return {r["command"]: r["median"] for r in json.load(open(path))["results"]}
a, s = medians(sys.argv[1]), medians(sys.argv[2])
print(f"{'needle':<10} {'tool':<12} {'median s':>9}")
for name, table in (("ASCII", a), ("Shift-JIS", s)):
    for tool, m in table.items():
        print(f"{name:<10} {tool:<12} {m:>9.3f}")
r1 = a["trovex-find"] / a["rg -j1"]
r2 = a["trovex-find"] / a["rg"]
r3 = a["trovex-find"] / a["grep"]
r4 = s["trovex-find"] / s["grep"]
print(f"ASCII:     trovex-find / rg -j1 = {r1:.2f} (goal <= 1.0: {'met' if r1 <= 1.0 else 'NOT met'})")
print(f"ASCII:     trovex-find / rg     = {r2:.2f}")
print(f"ASCII:     trovex-find / grep   = {r3:.2f}")
print(f"Shift-JIS: trovex-find / grep   = {r4:.2f} (goal <= 0.75: {'met' if r4 <= 0.75 else 'NOT met'})")
EOF
