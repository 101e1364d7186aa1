#!/usr/bin/env bash
# The search inside documents and archives, timed: 1,000 generated files (.docx
# and .txt.gz, bench/make_documents.py), searched by trovex-find as a user runs it
# (looking inside), then with --raw (their bytes only), and the .gz files by
# ripgrep's -z, which decompresses them too. Warm; one hyperfine run each.
#   bench/documents.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}

scripts/install-deps.sh build bench
cmake -S . -B build/native >/dev/null
cmake --build build/native -j2 --target trovex-find >/dev/null

find=build/native/trovex-find
folder=build/bench/documents
if [ ! -f "$folder/.complete" ]; then
  rm -rf "$folder"
  python3 bench/make_documents.py "$folder" 500
  touch "$folder/.complete"
fi
word="検索語"

echo "== hits"
echo "trovex-find (inside): $("$find" "$word" "$folder" | wc -l) files"
echo "trovex-find --raw:    $("$find" --raw "$word" "$folder" | wc -l) files"
echo "rg -z (.gz only):     $(rg --no-config -z -l -F "$word" -g '*.gz' "$folder" | wc -l) files"

echo "== times (warm)"
hyperfine -N -i --warmup 2 --runs "$runs" --export-json build/bench/documents.json \
  -n inside "$find $word $folder" \
  -n raw "$find --raw $word $folder" \
  -n inside-gz-only "$find --options --name .gz $word $folder" \
  -n rg-z-gz-only "rg --no-config -z -l -F $word -g *.gz $folder" 2>&1 | grep -E "^Benchmark|Time|±" || true
python3 - build/bench/documents.json <<'PY'
import json, sys
results = {r["command"]: r["median"] for r in json.load(open(sys.argv[1]))["results"]}
for name, median in results.items():
    print(f"{name:16s} {median * 1000:8.1f} ms")
print(f"inside / raw          {results['inside'] / results['raw']:.2f}")
print(f"gz: trovex / rg -z    {results['inside-gz-only'] / results['rg-z-gz-only']:.2f}")
PY
