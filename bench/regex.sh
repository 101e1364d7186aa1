#!/usr/bin/env bash
# Search by regular expression against the literal search and against ripgrep, warm
# (--cached, the corpus read once before), one thread:
#  1. a pattern with a literal part against the same search's literal part alone;
#  2. five patterns, trovex-find --regex against rg -e, on a UTF-8 copy of the small
#     corpus (its Shift-JIS files converted, the others copied);
#  3. the pathological (.*?,){13}z over a file of one long line of commas.
#   bench/regex.sh [runs]    (build/h33-native or BUILD=dir for trovex-find)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
build=${BUILD:-build/native}
find="$build/trovex-find"
small=build/bench/corpus-small
utf8=build/bench/corpus-small-utf8
work=build/bench
[ -x "$find" ] || { echo "regex.sh: build $find first"; exit 1; }
[ -f "$small/.complete" ] || { echo "regex.sh: run bench/e2e.sh first (it makes the corpus)"; exit 1; }

if [ ! -f "$utf8/.complete" ]; then
  rm -rf "$utf8"
  python3 - "$small" "$utf8" <<'PY'
import os, sys
src, dst = sys.argv[1], sys.argv[2]
for root, _, files in os.walk(src):
    out = os.path.join(dst, os.path.relpath(root, src))
    os.makedirs(out, exist_ok=True)
    for name in files:
        data = open(os.path.join(root, name), 'rb').read()
        try:
            data = data.decode('cp932').encode('utf-8') if any(b >= 0x80 for b in data) else data
        except UnicodeDecodeError:
            pass
        open(os.path.join(out, name), 'wb').write(data)
PY
  touch "$utf8/.complete"
fi

cat "$small"/*/* > /dev/null 2>&1 || true
cat "$utf8"/*/* > /dev/null 2>&1 || true
f=("$find" --cached -j1)
echo "== a pattern with a literal part against its literal part (small corpus, Shift-JIS)"
hyperfine -N -r "$runs" -i --export-json "$work/regex-literal.json" \
  "${f[*]} 見積書\\ No. $small" "${f[*]} --regex 見積書\\ No\\.\\d+ $small" \
  "${f[*]} quuxneedle $small" "${f[*]} --regex quuxneedle\\d+ $small" 2>&1 |
  grep -E "Time|Benchmark|±" || true

echo "== five patterns: trovex-find --regex against rg -e (UTF-8 copy)"
for p in 'quuxneedle\d+' '検索結果' '[0-9]{4}-[0-9]{2}-[0-9]{2}' '(foo|bar)baz' '\w+needle'; do
  hyperfine -N -r "$runs" -i "${f[*]} --regex $p $utf8" \
    "rg --no-config -l -uuu -a -j1 -e $p $utf8" 2>&1 | grep -E "Benchmark|Time" || true
done

echo "== pathological: (.*?,){13}z over one 64 MiB line of commas"
mkdir -p "$work/pathological"
python3 -c "import sys; sys.stdout.write('abcdefgh,' * ((64 << 20) // 9) + '\n')" \
  > "$work/pathological/commas.csv"
/usr/bin/time -f "%e s, %M KiB" "$find" --cached -j1 --regex '(.*?,){13}z' "$work/pathological" || true
