#!/usr/bin/env python3
"""Writes a folder of generated documents for timing the search inside them:
N .docx files (zip archives of XML, deflated) and N .txt.gz files, each with a
few kilobytes of Japanese text, one of every 50 holding the word 検索語.
    bench/make_documents.py FOLDER [N]      (N: 500, so 1,000 files)"""
import gzip
import os
import random
import sys
import zipfile

WORDS = ["議事録", "会議", "予定", "資料", "確認", "報告", "計画", "担当", "検討", "結果",
         "the", "report", "meeting", "2024", "年度", "第一", "部署", "連絡", "事項", "以上"]


def paragraphs(rng, count):
    return ["".join(rng.choice(WORDS) for _ in range(rng.randint(20, 60))) for _ in range(count)]


def docx_bytes(texts):
    body = "".join(f"<w:p><w:r><w:t>{t}</w:t></w:r></w:p>" for t in texts)
    document = ('<?xml version="1.0" encoding="UTF-8"?><w:document xmlns:w="http://schemas.'
                'openxmlformats.org/wordprocessingml/2006/main"><w:body>' + body +
                "</w:body></w:document>")
    path = os.path.join(folder, "tmp.docx")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", "<Types/>")
        z.writestr("word/document.xml", document)
    with open(path, "rb") as f:
        data = f.read()
    os.remove(path)
    return data


folder = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 500
os.makedirs(folder, exist_ok=True)
rng = random.Random(31)
for i in range(count):
    texts = paragraphs(rng, 40)
    if i % 50 == 7:
        texts[len(texts) // 2] += "検索語"
    with open(os.path.join(folder, f"doc{i:04}.docx"), "wb") as f:
        f.write(docx_bytes(texts))
    with open(os.path.join(folder, f"log{i:04}.txt.gz"), "wb") as f:
        f.write(gzip.compress("\n".join(texts).encode("utf-8")))
