#!/usr/bin/env bash
# Compares the words trovex-find finds in real PDF files with those pdftotext
# extracts: for each PDF, up to WORDS distinct words of pdftotext's text (runs of
# two or more characters between spaces) are searched for one at a time with
# trovex-find, and the share found and the words missed are written out.
# The PDFs: those given, else the Japanese manuals of debian-edu-doc-ja and, when
# LibreOffice is installed, a PDF it exports from a Japanese text.
# Not part of ./test.sh. Needs poppler-utils (scripts/install-deps.sh bench).
# Usage: scripts/compare-pdf-text.sh [PDF...]     WORDS=150 by default
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
find_tool=${TROVEX_FIND:-$root/build/native/trovex-find}
[ -x "$find_tool" ] || { echo "compare-pdf-text.sh: build $find_tool first"; exit 1; }
command -v pdftotext >/dev/null || { echo "compare-pdf-text.sh: pdftotext missing (scripts/install-deps.sh bench)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pdfs=("$@")
if [ ${#pdfs[@]} -eq 0 ]; then
  for f in /usr/share/doc/debian-edu-doc-ja/*.pdf; do [ -f "$f" ] && pdfs+=("$f"); done
  if command -v soffice >/dev/null; then
    printf '%s\n' "全文検索の手引き" "" \
      "この文書は、ファイルの内容を検索するプログラムの使い方を説明します。" \
      "検索する文字列を入力し、場所を選んで「検索開始」を押してください。" \
      "見つかったファイルは結果ウィンドウに一覧で表示されます。" \
      "半角カナ（ｶﾀｶﾅ）や全角英数字（ＡＢＣ１２３）も検索できます。" >"$work/手引き.txt"
    (cd "$work" && soffice --headless --convert-to pdf 手引き.txt >/dev/null 2>&1) &&
      [ -f "$work/手引き.pdf" ] && pdfs+=("$work/手引き.pdf")
  fi
fi
[ ${#pdfs[@]} -gt 0 ] || { echo "compare-pdf-text.sh: no PDF (install debian-edu-doc-ja or give some)"; exit 1; }
export FIND_TOOL="$find_tool" WORK="$work" WORDS="${WORDS:-150}"
python3 - "${pdfs[@]}" <<'PY'
import os, subprocess, sys, shutil
tool, work, limit = os.environ["FIND_TOOL"], os.environ["WORK"], int(os.environ["WORDS"])
total_found = total = 0
for pdf in sys.argv[1:]:
    text = subprocess.run(["pdftotext", "-enc", "UTF-8", pdf, "-"], capture_output=True).stdout.decode("utf-8", "replace")
    words = []
    for w in text.split():
        if len(w) >= 2 and any(c.isalnum() for c in w) and w not in words:
            words.append(w)
    step = max(1, len(words) // limit)
    words = words[::step][:limit]
    folder = os.path.join(work, "one")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    os.symlink(os.path.abspath(pdf), os.path.join(folder, "file.pdf"))
    found, missed, unencodable = 0, [], []
    for w in words:
        try:
            w.encode("cp932")  # what the program's search box can hold
        except UnicodeEncodeError:
            unencodable.append(w)
            continue
        with open(os.path.join(work, "word.txt"), "wb") as f:
            f.write(w.encode("utf-8"))
        out = subprocess.run([tool, "--options", "--case", "--comma-text", "--content-file", os.path.join(work, "word.txt"), folder],
                             capture_output=True).stdout
        if out.strip():
            found += 1
        else:
            missed.append(w)
    searched = len(words) - len(unencodable)
    total_found += found
    total += searched
    print(f"{os.path.basename(pdf)}: {found}/{searched} words found ({100.0 * found / max(1, searched):.1f}%)")
    if missed:
        print("  missed:", " ".join(missed[:60]))
    if unencodable:
        print("  not in CP932, not searched:", " ".join(unencodable[:20]))
print(f"all: {total_found}/{total} ({100.0 * total_found / max(1, total):.1f}%)")
PY
