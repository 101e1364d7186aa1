#!/usr/bin/env bash
# Checks that trovex-find finds a typed Japanese word in files of every encoding
# Japanese text is written in, on real text: the Japanese manual pages of the
# Debian package manpages-ja.
#
# It takes a fixed selection of those pages (every page of /usr/share/man/ja
# sorted by path, ".so" redirections left out, then PAGES of them evenly spaced),
# writes each one's text (zcat: the roff markup stays) as UTF-8, Shift-JIS
# (CP932), EUC-JP, UTF-16LE and UTF-16BE, each UTF-16 copy with a byte order mark
# as editors write it (without one when BOMLESS=1), into
# build/encodings-check/corpus/{utf8,sjis,eucjp,utf16le,utf16be}/, and searches
# the corpus for about 30 everyday words, typed as UTF-8 on the command line
# (with "--encoding all" when trovex-find offers that option). A page that iconv
# cannot write in one of the encodings is left out of all of them.
#
# The truth comes from the UTF-8 text alone (python3): whether a page holds the
# word, and the character index of its first occurrence. Each hit line
# "<path>=<offset>" is turned back into a character index by decoding its file,
# in the encoding of its folder, up to the offset. Per encoding the script prints
# the pairs (page, word) expected, those found, those found at the expected
# character, the wrong files (a hit in a page without the word) and the misses,
# then the first discrepancies.
#
# Usage: scripts/check-encodings.sh [TROVEX_FIND]
#   TROVEX_FIND  the program to check (build/native/trovex-find unless given)
#   PAGES=N      environment: how many pages to take (60 unless given)
#   BOMLESS=1    environment: write the UTF-16 copies without a byte order mark
# build/encodings-check/ is made anew each run. Not part of ./test.sh.
# Exit 0 when every encoding finds every expected pair at the expected character
# and no wrong file; 1 otherwise; 2 when the check cannot run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
prog=${1:-build/native/trovex-find}
pages=${PAGES:-60}
work=build/encodings-check
corpus="$root/$work/corpus"
man_root=/usr/share/man/ja

scripts/install-deps.sh manpages-ja python3 || { echo "check-encodings.sh: installing packages failed"; exit 2; }
[ -x "$prog" ] || { echo "check-encodings.sh: $prog is not built"; exit 2; }

# Folder, iconv's name for the encoding, byte order mark written first ("-": none).
# The python side below holds the same table with its codec names.
encodings=("utf8 UTF-8 -" "sjis CP932 -" "eucjp EUC-JP -"
           'utf16le UTF-16LE \xff\xfe' 'utf16be UTF-16BE \xfe\xff')
if [ "${BOMLESS:-0}" = 1 ]; then encodings[3]="utf16le UTF-16LE -"; encodings[4]="utf16be UTF-16BE -"; fi

# The words, as a user types them.
words=(ファイル 設定 環境変数 ディレクトリ 表示 実行 指定 出力 入力 場合
       オプション コマンド ユーザー 終了 作成 削除 変更 説明 名前 時間
       文字 形式 標準 引数 値 行 番号 権限 検索 参照)

rm -rf "$work"
for e in "${encodings[@]}"; do mkdir -p "$corpus/${e%% *}"; done
mkdir -p "$work/hits"

# The selection: sorted in byte order so that it is the same on every machine
# with the same package version; ".so" pages only name another page.
mapfile -t candidates < <(python3 - "$man_root" <<'PY'
import glob, gzip, os, sys
for path in sorted(glob.glob(os.path.join(sys.argv[1], "*", "*.gz")), key=os.fsencode):
    if os.path.isfile(path) and not os.path.islink(path):
        with gzip.open(path) as f:
            if f.read(4) != b".so ":
                print(path)
PY
)
n=${#candidates[@]}
[ "$n" -ge "$pages" ] || { echo "check-encodings.sh: only $n pages in $man_root"; exit 2; }
echo "manpages-ja $(dpkg-query -W -f='${Version}' manpages-ja): $pages of $n pages"

left_out=()
for ((i = 0; i < pages; i++)); do
  f=${candidates[i * n / pages]}
  # man1/ls.1.gz -> man1-ls.1.txt
  section=$(basename "$(dirname "$f")")
  name="$section-$(basename "$f" .gz).txt"
  text="$work/page.txt"
  zcat -- "$f" >"$text"
  ok=1
  for e in "${encodings[@]}"; do
    read -r folder charset bom <<<"$e"
    { [ "$bom" = - ] || printf "$bom"
      iconv -f UTF-8 -t "$charset" "$text"; } >"$corpus/$folder/$name" 2>/dev/null || { ok=0; break; }
  done
  if [ $ok -eq 0 ]; then
    left_out+=("$name ($charset)")
    for e in "${encodings[@]}"; do rm -f "$corpus/${e%% *}/$name"; done
  fi
done
rm -f "$work/page.txt"
echo "left out (a character the encoding cannot hold): ${#left_out[@]}"
for p in "${left_out[@]}"; do echo "  $p"; done

encoding_option=()
help=$("$prog" --help 2>&1) || true
# The option itself, not --output-encoding.
if grep -qE -- '(^|[^[:alnum:]-])--encoding\b' <<<"$help"; then encoding_option=(--encoding all); fi
echo "searching with: $prog ${encoding_option[*]:+${encoding_option[*]} }WORD $work/corpus"

# One search per word: hits/N.out (standard output), N.err, N.rc.
printf '%s\n' "${words[@]}" >"$work/words.txt"
for i in "${!words[@]}"; do
  rc=0
  "$prog" "${encoding_option[@]}" "${words[i]}" "$corpus" \
    >"$work/hits/$i.out" 2>"$work/hits/$i.err" || rc=$?
  echo $rc >"$work/hits/$i.rc"
done

python3 - "$corpus" "$work" <<'PY'
import os, sys

corpus, work = sys.argv[1], sys.argv[2]
# Folder, python codec, byte order mark the copy starts with (as written above).
ENCODINGS = [("utf8", "utf-8", b""), ("sjis", "cp932", b""), ("eucjp", "euc_jp", b""),
             ("utf16le", "utf-16-le", b"\xff\xfe"), ("utf16be", "utf-16-be", b"\xfe\xff")]
if os.environ.get("BOMLESS") == "1":
    ENCODINGS[3:] = [(folder, codec, b"") for folder, codec, _ in ENCODINGS[3:]]
words = open(os.path.join(work, "words.txt"), encoding="utf-8").read().split("\n")[:-1]
names = sorted(os.listdir(os.path.join(corpus, "utf8")))
texts = {n: open(os.path.join(corpus, "utf8", n), encoding="utf-8").read() for n in names}
problems = []  # failures that are no (page, word) pair: a search error, a stray line

# A hit's offset becomes a character index by decoding its copy up to there, so
# every copy must decode to as many characters as its UTF-8 text holds.
raw = {}
for folder, codec, bom in ENCODINGS:
    for n in names:
        data = open(os.path.join(corpus, folder, n), "rb").read()
        raw[folder, n] = data
        try:
            same_length = data.startswith(bom) and len(data[len(bom):].decode(codec)) == len(texts[n])
        except UnicodeDecodeError:
            same_length = False
        if not same_length:
            problems.append(f"{folder}/{n}: does not decode to the characters of its UTF-8 text")

FORMS = [("UTF-8", "utf-8"), ("CP932", "cp932"), ("EUC-JP", "euc_jp"),
         ("UTF-16LE", "utf-16-le"), ("UTF-16BE", "utf-16-be")]

def describe_bytes(data, offset, word):
    """Which form of the word the bytes at offset are, to explain a hit off its place."""
    for label, codec in FORMS:
        form = word.encode(codec)
        here = data[offset:offset + len(form)]
        if here == form:
            return f"the word's {label} bytes"
        if here.lower() == form.lower():
            return f"the word's {label} bytes, ASCII letter case folded"
    return "bytes " + data[offset:offset + 4].hex(" ")

def hit_at(folder, codec, bom, name, offset, word):
    """The character index of a hit's byte offset, or a text saying where it is instead."""
    data = raw[folder, name]
    if offset < len(bom) or offset >= len(data):
        return f"byte {offset}, outside the text"
    try:
        index = len(data[len(bom):offset].decode(codec))
    except UnicodeDecodeError:
        return f"byte {offset}, inside a character: {describe_bytes(data, offset, word)}"
    return index

def shown(name, got, word):
    if isinstance(got, str):
        return got
    return f"char {got} {texts[name][got:got + len(word)]!r}"

rows, discrepancies = [], []
for folder, codec, bom in ENCODINGS:
    expected = found = same = wrong = missed = 0
    for w_index, word in enumerate(words):
        base = os.path.join(work, "hits", str(w_index))
        rc = int(open(base + ".rc").read())
        lines = open(base + ".out", "rb").read().decode("utf-8", "replace").splitlines()
        if folder == ENCODINGS[0][0]:  # the search as a whole, once per word
            err = open(base + ".err", encoding="utf-8", errors="replace").read().strip()
            if rc not in (0, 1) or (rc == 0) != bool(lines):
                problems.append(f"{word}: exit {rc} with {len(lines)} lines {err}".strip())
        hits = {}
        for line in lines:
            path, _, offset = line.rpartition("=")
            rel = os.path.relpath(path, corpus).split(os.sep)
            if len(rel) != 2 or rel[1] not in texts or not offset.isdigit():
                if folder == ENCODINGS[0][0]:
                    problems.append(f"{word}: unexpected line {line!r}")
                continue
            if rel[0] != folder:
                continue
            if rel[1] in hits:
                problems.append(f"{word}: {path} reported twice")
            hits[rel[1]] = int(offset)
        for n in names:
            truth = texts[n].find(word)
            got = hit_at(folder, codec, bom, n, hits[n], word) if n in hits else None
            if truth >= 0:
                expected += 1
                if got is None:
                    missed += 1
                    discrepancies.append(("miss", n, word, folder, truth, "no hit"))
                    continue
                found += 1
                if got == truth:
                    same += 1
                else:
                    discrepancies.append(("elsewhere", n, word, folder, truth, shown(n, got, word)))
            elif got is not None:
                wrong += 1
                discrepancies.append(("wrong file", n, word, folder, "absent", shown(n, got, word)))
    rows.append((folder, expected, found, same, wrong, missed))

print(f"\n{len(names)} pages x {len(words)} words")
head = ("encoding", "expected", "found", "same char", "wrong files", "misses")
print("%-9s %9s %9s %10s %12s %7s" % head)
for row in rows:
    print("%-9s %9d %9d %10d %12d %7d" % row)
ok = not problems and all(e == f == s and w == 0 for _, e, f, s, w, _ in rows)
for p in problems[:10]:
    print("problem:", p)
if discrepancies:
    print(f"\n{len(discrepancies)} discrepancies; the first of each kind per encoding"
          " (page, word, encoding, expected char, got):")
    # A few of each kind and encoding, so that the many misses of one encoding
    # hide neither another encoding nor a hit in the wrong place.
    for folder, _, _ in ENCODINGS:
        for kind in ("wrong file", "elsewhere", "miss"):
            for d in [d for d in discrepancies if d[3] == folder and d[0] == kind][:3]:
                print("  %-10s  %s  %s  %s  %s  %s" % d)
print("\ncheck-encodings.sh:", "every encoding passed" if ok else "FAILED")
sys.exit(0 if ok else 1)
PY
