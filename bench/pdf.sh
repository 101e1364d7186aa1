#!/usr/bin/env bash
# The text of PDF files, timed against pdftotext (poppler-utils, a yardstick
# only): trovex-find looks for a word that no page holds, so every page's text is
# read, and pdftotext writes the whole text to /dev/null. The files: the Japanese
# manuals of debian-edu-doc-ja and one of 303 pages made of three copies of the
# bookworm manual (qpdf). Warm; the figures are milliseconds per MB of PDF.
#   bench/pdf.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}

scripts/install-deps.sh build bench debian-edu-doc-ja
build=${TROVEX_BUILD:-build/native}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target trovex-find >/dev/null
find="$build/trovex-find"

folder=build/bench/pdf
mkdir -p "$folder"
manuals=(/usr/share/doc/debian-edu-doc-ja/*.pdf)
three="$folder/three-manuals.pdf"
[ -f "$three" ] || qpdf --empty --pages "${manuals[0]}" "${manuals[0]}" "${manuals[0]}" -- "$three"

for pdf in "${manuals[@]}" "$three"; do
  one="$folder/one"
  rm -rf "$one" && mkdir -p "$one" && ln -s "$(realpath "$pdf")" "$one/file.pdf"
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
  bytes=$(stat -L -c %s "$pdf")
  hyperfine -N -i --warmup 1 --runs "$runs" --export-json "$folder/times.json" \
    "$find 存在しない語句 $one" "pdftotext $pdf /dev/null" >/dev/null
  python3 - "$folder/times.json" "$(basename "$pdf")" "$pages" "$bytes" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
name, pages, mb = sys.argv[2], int(sys.argv[3]), int(sys.argv[4]) / 1e6
tro, ref = (r["mean"] * 1000 for r in results)
print(f"{name}: {pages} pages, {mb:.1f} MB: trovex-find {tro:.0f} ms ({tro / mb:.0f} ms/MB), "
      f"pdftotext {ref:.0f} ms ({ref / mb:.0f} ms/MB)")
PY
done
