#!/usr/bin/env bash
# Real documents, not written by our tests: LibreOffice (headless) turns a Japanese
# text into .docx, .odt, .rtf, .doc and .epub, a table into .xlsx and .ods, and a
# presentation into .pptx and .odp; trovex-find then looks for each of the text's
# words in every file and prints a table of what it found.
# Not part of ./test.sh (LibreOffice is large). Exits 1 when a word is missed; the
# .rtf misses a word that follows a control word and a line break (the reduction
# drops markup up to the next space, and a line break does not end it).
#   scripts/check-office-documents.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
missing=()
for package in libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
fi
cmake -S . -B build/native >/dev/null
cmake --build build/native -j2 --target trovex-find >/dev/null
find=build/native/trovex-find

work=build/office-documents
rm -rf "$work"
mkdir -p "$work/source" "$work/out"
words=(全文検索 議事録 山田太郎 Rossum 水曜日 ｶﾀｶﾅ)
cat > "$work/source/report.txt" <<'TEXT'
全文検索の試験文書です。
議事録の作成者は山田太郎、確認者は Rossum です。
次回の会議は来週の水曜日に行います。半角の ｶﾀｶﾅ も書いておきます。
TEXT
cat > "$work/source/table.csv" <<'TEXT'
項目,担当,曜日
全文検索,山田太郎,水曜日
議事録,Rossum,ｶﾀｶﾅ
TEXT
# A flat OpenDocument presentation: one slide holding the text, and its notes.
cat > "$work/source/slides.fodp" <<'TEXT'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:body><office:presentation>
  <draw:page draw:name="p1">
   <draw:frame svg:x="1cm" svg:y="1cm" svg:width="20cm" svg:height="5cm">
    <draw:text-box><text:p>全文検索の議事録</text:p><text:p>山田太郎と Rossum</text:p></draw:text-box>
   </draw:frame>
   <presentation:notes><draw:frame svg:x="1cm" svg:y="1cm" svg:width="20cm" svg:height="5cm">
    <draw:text-box><text:p>水曜日の ｶﾀｶﾅ</text:p></draw:text-box></draw:frame></presentation:notes>
  </draw:page>
 </office:presentation></office:body>
</office:document>
TEXT

convert() {  # convert SOURCE FORMAT...
  local source=$1; shift
  for format in "$@"; do
    soffice --headless --infilter="${filter:-}" --convert-to "$format" --outdir "$work/out" \
      "$work/source/$source" >/dev/null 2>&1 || echo "LibreOffice could not make $format from $source"
  done
}
filter="Text (encoded):UTF8,LF,,," convert report.txt docx odt rtf doc epub
filter="CSV:44,34,76,1" convert table.csv xlsx ods
filter="" convert slides.fodp pptx odp

status=0
printf '%-14s' file; printf ' %s' "${words[@]}"; echo
for file in "$work"/out/*; do
  printf '%-14s' "$(basename "$file")"
  for word in "${words[@]}"; do
    hit=$({ "$find" --options --name "$(basename "$file")" "$word" "$work/out" || true; } |
      { grep -F "$file=" || true; } | sed 's/.*=//')
    if [ -n "$hit" ]; then printf ' %s' "$hit"; else printf ' MISSED'; status=1; fi
  done
  echo
done
echo "(each cell: the hit's offset into the file's text; MISSED: not found)"
exit $status
