#!/usr/bin/env bash
# End-to-end benchmark: trovex-find against ripgrep and grep on generated corpora
# (about 20,000 files, 1 GiB; the same 20,000 small files without the large ones),
# warm, and cold where the page cache may be dropped.
#   bench/e2e.sh [runs]
# First checks that the tools agree on the set of matching files, then times them
# with hyperfine and prints the medians and the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
threads=$(nproc)

scripts/install-deps.sh build bench

cmake -S . -B build/native >/dev/null
cmake --build build/native -j2 --target trovex-find trovex-make-corpus >/dev/null

find=build/native/trovex-find
corpus=build/bench/corpus
small=build/bench/corpus-small   # the 20,000 files without the large ones
work=build/bench
mkdir -p "$work"
if [ ! -f "$corpus/.complete" ]; then
  rm -rf "$corpus"
  build/native/trovex-make-corpus "$corpus"
  touch "$corpus/.complete"
fi
if [ ! -f "$small/.complete" ]; then
  rm -rf "$small"
  build/native/trovex-make-corpus --small "$small"
  touch "$small/.complete"
fi

ascii=quuxneedle42
sjis_utf8="検索結果"                                  # trovex-find converts it to CP932
printf '%s' "$sjis_utf8" | iconv -f UTF-8 -t CP932 > "$work/sjis-needle.txt"  # for grep -f

# The matching files, one path a line, sorted. A hit line splits at its last "=".
list_find() { "$find" "$1" "$corpus" | sed 's/=[^=]*$//' | sort; }
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

echo "== the same lines in the same order with one and with $threads scanners, and by each read path"
"$find" -j1 "$ascii" "$corpus" > "$work/find-j1.txt"
for variant in "-j$threads" "--cached" "--unbuffered"; do
  "$find" $variant "$ascii" "$corpus" > "$work/find-variant.txt"
  cmp -s "$work/find-j1.txt" "$work/find-variant.txt" || { echo "-j1 and $variant DIFFER"; exit 1; }
done
echo "equal ($(wc -l < "$work/find-j1.txt") lines)"

# Commands run without a shell (-N); the warm-up runs fill the cache. trovex-find
# runs first as a user runs it (no flags), then with one scanner, and with every
# file read through the cache (--cached) or bypassing it (--unbuffered).
hf() {
  hyperfine -N --warmup 2 --runs "$runs" --export-json "$work/$1.json" "${@:2}" >/dev/null
}
rg_args="--no-config -l -F -uuu -a -E none"
variants() {  # fills the array named $1 with hyperfine's -n NAME COMMAND pairs for corpus $2
  local -n pairs=$1
  pairs=(-n trovex-find "$find $ascii $2"
         -n "trovex-find -j1" "$find -j1 $ascii $2"
         -n "trovex-find --cached" "$find --cached $ascii $2"
         -n "trovex-find --unbuffered" "$find --unbuffered $ascii $2"
         -n "rg -j1" "rg $rg_args -j1 $ascii $2"
         -n rg "rg $rg_args $ascii $2")
}
variants big_args "$corpus"
variants small_args "$small"
echo "== timing (warm cache, $runs runs each, $threads hardware threads, load $(cut -d' ' -f1-3 /proc/loadavg))"
hf ascii "${big_args[@]}" -n grep "env LC_ALL=C grep -rlF -a $ascii $corpus"
hf small "${small_args[@]}"
hf sjis \
  -n trovex-find "$find $sjis_utf8 $corpus" \
  -n grep "env LC_ALL=C grep -rlF -a -f $work/sjis-needle.txt $corpus"
tables="$work/ascii.json $work/small.json $work/sjis.json"
# Cold: the page cache dropped before each run, where the machine lets us.
if (echo 1 > /proc/sys/vm/drop_caches) 2>/dev/null; then
  echo "== timing (cold cache, 3 runs each)"
  cold() {
    hyperfine -N --runs 3 --prepare "sh -c 'sync; echo 3 > /proc/sys/vm/drop_caches'" \
      --export-json "$work/$1.json" "${@:2}" >/dev/null
  }
  cold cold "${big_args[@]}"
  cold cold-small "${small_args[@]}"
  tables="$tables $work/cold.json $work/cold-small.json"
else
  echo "== no cold timing: /proc/sys/vm/drop_caches cannot be written here"
fi

python3 - $tables <<'EOF'
import json, sys
def results(path):
    return {r["command"]: r for r in json.load(open(path))["results"]}
names = {"ascii": "1 GiB", "small": "small", "sjis": "Shift-JIS", "cold": "cold 1 GiB",
         "cold-small": "cold small"}
tables = [(names[p.split("/")[-1][:-5]], results(p)) for p in sys.argv[1:]]
# Wall-clock medians decide; min-max shows the spread on a shared machine, and
# user + system CPU is shown because a busy machine stretches wall time.
print(f"{'corpus':<11} {'tool':<16} {'median s':>9} {'min-max s':>15} {'cpu s':>7}")
for name, table in tables:
    for tool, r in table.items():
        spread = f"{r['min']:.3f}-{r['max']:.3f}"
        print(f"{name:<11} {tool:<16} {r['median']:>9.3f} {spread:>15} {r['user'] + r['system']:>7.3f}")
def ratio(table, x, y, goal=None):
    wall = table[x]["median"] / table[y]["median"]
    cpu = (table[x]["user"] + table[x]["system"]) / (table[y]["user"] + table[y]["system"])
    verdict = "" if goal is None else f" (goal <= {goal}: {'met' if wall <= goal else 'NOT met'})"
    return f"{wall:.2f}, cpu {cpu:.2f}{verdict}"
for name, table in tables:
    if "rg" not in table:
        print(f"{name + ':':<12} trovex-find / grep       = {ratio(table, 'trovex-find', 'grep', 0.75)}")
        continue
    # The default as a user runs it, warm and cold, against rg's own default.
    print(f"{name + ':':<12} trovex-find / rg         = {ratio(table, 'trovex-find', 'rg', 0.8)}")
    print(f"{name + ':':<12} trovex-find -j1 / rg -j1 = {ratio(table, 'trovex-find -j1', 'rg -j1', 1.0)}")
EOF
