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
def results(path):
    return {r["command"]: r for r in json.load(open(path))["results"]}
a, s = results(sys.argv[1]), results(sys.argv[2])
# Wall-clock medians decide; user + system CPU is shown because a busy machine
# stretches wall time.
print(f"{'needle':<10} {'tool':<12} {'median s':>9} {'cpu s':>7}")
for name, table in (("ASCII", a), ("Shift-JIS", s)):
    for tool, r in table.items():
        print(f"{name:<10} {tool:<12} {r['median']:>9.3f} {r['user'] + r['system']:>7.3f}")
def ratio(table, x, y, goal=None):
    wall = table[x]["median"] / table[y]["median"]
    cpu = (table[x]["user"] + table[x]["system"]) / (table[y]["user"] + table[y]["system"])
    verdict = "" if goal is None else f" (goal <= {goal}: {'met' if wall <= goal else 'NOT met'})"
    return f"{wall:.2f}, cpu {cpu:.2f}{verdict}"
print("ASCII:     trovex-find / rg -j1 =", ratio(a, "trovex-find", "rg -j1", 1.0))
print("ASCII:     trovex-find / rg     =", ratio(a, "trovex-find", "rg"))
print("ASCII:     trovex-find / grep   =", ratio(a, "trovex-find", "grep"))
print("Shift-JIS: trovex-find / grep   =", ratio(s, "trovex-find", "grep", 0.75))
EOF
