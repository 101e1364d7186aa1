#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/fs/system_error.h"
#include "results/hit_snippet.h"
#include "search/contained_text.h"
#include "search/file_scan.h"
#include "search/parse_search_content.h"
#include "search/search_options.h"
#include "zip_writer.h"

using namespace trovex::search;
using trovex::testing::Gzipped;
using trovex::testing::ZipItem;
using trovex::testing::ZipWriter;
namespace stdfs = std::filesystem;

namespace {

std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// Office and e-book parts as their writers lay them out, reduced to what the
// text depends on.
const std::string kWordBody =
    U8(u8"<?xml version=\"1.0\"?><w:document xmlns:w=\"w\"><w:body>"
       u8"<w:p><w:pPr><w:tabs><w:tab w:val=\"left\" w:pos=\"720\"/></w:tabs></w:pPr>"
       u8"<w:r><w:t>議事録 &amp; &lt;メモ&gt;</w:t></w:r></w:p>"
       u8"<w:p><w:r><w:t>Ros</w:t></w:r><w:r><w:rPr><w:b/></w:rPr><w:t>sum</w:t></w:r>"
       u8"<w:r><w:tab/><w:t>次</w:t></w:r><w:r><w:instrText>PAGE</w:instrText></w:r></w:p>"
       u8"</w:body></w:document>");
const std::string kWordHeader =
    U8(u8"<w:hdr xmlns:w=\"w\"><w:p><w:r><w:t>ヘッダー</w:t></w:r></w:p></w:hdr>");
const std::string kWordText = U8(u8"議事録 & <メモ>\r\nRossum\t次\r\nヘッダー\r\n");

std::string Docx() {
  ZipWriter zip;
  zip.Add("[Content_Types].xml", "<Types/>");
  zip.Add("word/header1.xml", kWordHeader);
  zip.Add("word/document.xml", kWordBody);
  zip.Add("word/styles.xml", U8(u8"<w:styles><w:t>様式</w:t></w:styles>"));
  return zip.Build();
}

class ContainedTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = stdfs::temp_directory_path() /
           ("trovex-contained-" + std::to_string(std::random_device{}()));
    stdfs::create_directories(dir_);
    state_.fileFailure = [this](const std::string& path, int error) {
      failures_.emplace_back(path, error);
    };
  }
  void TearDown() override {
    std::error_code ignored;
    stdfs::remove_all(dir_, ignored);
  }

  std::string Write(const std::string& name, const std::string& bytes) {
    const stdfs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  // `text` is CP932, as typed in the program.
  std::optional<std::uint64_t> Find(const std::string& path, const std::string& text,
                                    SearchOptions options = {}) {
    SearchQuery query;
    EXPECT_TRUE(ParseSearchContent(text, options, nullptr, query));
    return SearchFile(path, query, MatchOptionsFor(options, query.mode), state_, cancel_);
  }

  std::string Snippet(const std::string& path, std::uint64_t offset, const std::string& text) {
    SearchQuery query;
    EXPECT_TRUE(ParseSearchContent(text, {}, nullptr, query));
    const auto inputs =
        trovex::results::SnippetInputsFor({}, query, trovex::results::BinaryDisplay::Hex);
    return trovex::results::MakeSnippet(path, static_cast<std::int64_t>(offset), inputs);
  }

  stdfs::path dir_;
  ScanState state_;
  std::atomic<bool> cancel_{false};
  std::vector<std::pair<std::string, int>> failures_;
};

TEST_F(ContainedTextTest, DocumentsGiveTheirTextInReadingOrder) {
  EXPECT_EQ(ContainedTextOf(Write("a.DOCX", Docx())), kWordText);

  ZipWriter xlsx;
  xlsx.Add("xl/worksheets/sheet1.xml",
           U8(u8"<worksheet><sheetData><row>"
              u8"<c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>0</v></c>"
              u8"<c r=\"C1\"><f>SUM(1)</f><v>42</v></c>"
              u8"<c t=\"inlineStr\"><is><t>直接 &#x6587;字</t></is></c></row></sheetData>"
              u8"</worksheet>"));
  xlsx.Add("xl/sharedStrings.xml",
           U8(u8"<sst><si><t>在庫</t></si><si><r><t>合</t></r><r><t>計</t></r>"
              u8"<rPh><t>ゴウケイ</t></rPh></si></sst>"));
  EXPECT_EQ(ContainedTextOf(Write("b.xlsx", xlsx.Build())),
            U8(u8"在庫\r\n合計\r\n42\r\n直接 文字\r\n"));

  ZipWriter pptx;
  auto slide = [](std::u8string_view a, std::u8string_view b) {
    return U8(u8"<p:sld><p:cSld><p:spTree><p:sp><p:txBody><a:p><a:r><a:t>") + U8(a) +
           U8(u8"</a:t></a:r></a:p><a:p><a:r><a:t>") + U8(b) +
           U8(u8"</a:t></a:r></a:p></p:txBody></p:sp></p:spTree></p:cSld></p:sld>");
  };
  pptx.Add("ppt/slides/slide10.xml", slide(u8"十枚目", u8""));
  pptx.Add("ppt/slides/slide2.xml", slide(u8"二枚目", u8""));
  pptx.Add("ppt/slides/slide1.xml", slide(u8"表題", u8"本文"));
  pptx.Add("ppt/notesSlides/notesSlide1.xml", slide(u8"ノート", u8""));
  EXPECT_EQ(ContainedTextOf(Write("c.pptx", pptx.Build())),
            U8(u8"表題\r\n本文\r\nノート\r\n二枚目\r\n十枚目\r\n"));

  ZipWriter odt;
  odt.Add("mimetype", "application/vnd.oasis.opendocument.text");
  odt.Add("styles.xml",
          U8(u8"<office:document-styles><office:styles><number:date-style><number:text>年"
             u8"</number:text></number:date-style></office:styles><office:master-styles>"
             u8"<style:master-page><style:header><text:p>頁頭</text:p></style:header>"
             u8"</style:master-page></office:master-styles></office:document-styles>"));
  odt.Add("content.xml",
          U8(u8"<office:document-content><office:automatic-styles><style:style/>"
             u8"</office:automatic-styles><office:body><office:text>\n  <text:h>見出し</text:h>\n"
             u8"  <text:p>一<text:s text:c=\"2\"/>二<text:tab/>三</text:p>\n"
             u8"  <text:p>複数\n     行</text:p></office:text></office:body>"
             u8"</office:document-content>"));
  EXPECT_EQ(ContainedTextOf(Write("d.odt", odt.Build())),
            U8(u8"見出し\r\n一  二\t三\r\n複数 行\r\n頁頭\r\n"));

  ZipWriter epub;
  epub.Add("mimetype", "application/epub+zip");
  epub.Add("META-INF/container.xml",
           "<container><rootfiles><rootfile full-path=\"OEBPS/content.opf\"/></rootfiles>"
           "</container>");
  epub.Add("OEBPS/text/ch2.xhtml", U8(u8"<html><body><div>第二章</div></body></html>"));
  epub.Add("OEBPS/text/ch 1.xhtml",
           U8(u8"<html><head><title>題</title><style>p{}</style></head><body><p>第一章</p>"
              u8"<script>var x = 1;</script><p>吾輩は<b>猫</b>である&nbsp;!</p></body></html>"));
  epub.Add("OEBPS/content.opf",
           "<package><manifest><item id=\"c2\" href=\"text/ch2.xhtml\"/>"
           "<item id=\"c1\" href=\"text/ch%201.xhtml\"/></manifest>"
           "<spine><itemref idref=\"c1\"/><itemref idref=\"c2\"/></spine></package>");
  EXPECT_EQ(ContainedTextOf(Write("e.epub", epub.Build())),
            U8(u8"第一章\r\n吾輩は猫である\u00A0!\r\n第二章\r\n"));
}

TEST_F(ContainedTextTest, DocumentHitsCountInTheTextAndShowIt) {
  const std::string docx = Write("a.docx", Docx());
  // A word split across two runs, a Japanese word, an entity.
  const auto rossum = Find(docx, "Rossum");
  ASSERT_TRUE(rossum.has_value());
  EXPECT_EQ(*rossum, kWordText.find("Rossum"));
  EXPECT_EQ(Find(docx, "メモ"), kWordText.find(U8(u8"メモ")));
  EXPECT_EQ(Find(docx, "& <"), kWordText.find("& <"));
  EXPECT_EQ(Find(docx, "ヘッダー"), kWordText.find(U8(u8"ヘッダー")));
  // Text outside the runs and parts that hold no text are not searched.
  EXPECT_FALSE(Find(docx, "PAGE").has_value());
  EXPECT_FALSE(Find(docx, "様式").has_value());
  EXPECT_FALSE(Find(docx, "w:t").has_value());
  // The paragraph's line break is skipped on request.
  SearchOptions skip;
  skip.skipLineBreaks = true;
  EXPECT_EQ(Find(docx, "メモ>次", skip), std::nullopt);
  EXPECT_EQ(Find(docx, "メモ>Rossum", skip), kWordText.find(U8(u8"メモ")));
  EXPECT_EQ(Snippet(docx, *rossum, "Rossum"), "Rossum\t次\r\nヘッダー\r\n");

  // Read as bytes on request: the deflated text holds no word.
  SearchOptions raw;
  raw.optionsOpen = true;
  raw.lookInside = false;
  EXPECT_FALSE(Find(docx, "Rossum", raw).has_value());
  // The option counts only with the panel open.
  raw.optionsOpen = false;
  EXPECT_EQ(Find(docx, "Rossum", raw), rossum);
  // A byte list always searches the file's own bytes: "PK".
  EXPECT_EQ(Find(docx, ",0x50,0x4B"), 0u);
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ContainedTextTest, ZipEntriesAreSearchedOneAfterTheOther) {
  ZipWriter nested;
  nested.Add("deep.txt", U8(u8"深い所の言葉 deepword"));
  ZipWriter zip;
  zip.Add("readme.txt", "hello\r\n");
  zip.Add(ZipItem{"sub/", "", false});
  // One name in CP932 (no UTF-8 flag), one in UTF-8.
  zip.Add(ZipItem{"資料/議事録.txt", "検索結果が出た", true, false, false});
  zip.Add("inner.docx", Docx());
  zip.Add("nested.zip", nested.Build());
  zip.Add(U8(u8"ログ.log"), "tail words");
  const std::string path = Write("a.zip", zip.Build());

  EXPECT_EQ(Find(path, "hello"), 0u);
  const auto found = Find(path, "検索結果");
  EXPECT_EQ(found, 7u);
  EXPECT_EQ(Snippet(path, 7, "検索結果"), "[資料/議事録.txt] 検索結果が出た");
  // A document entry through its text, after the bytes of the entries before it.
  const std::uint64_t docStart = 7 + std::string("検索結果が出た").size();
  EXPECT_EQ(Find(path, "Rossum"), docStart + kWordText.find("Rossum"));
  EXPECT_EQ(Snippet(path, docStart, "議事録"),
            "[inner.docx] 議事録 & <メモ>\r\nRossum\t次\r\nヘッダー\r\n");
  // No archive inside an archive is opened.
  EXPECT_FALSE(Find(path, "deepword").has_value());
  const auto tail = Find(path, "tail");
  ASSERT_TRUE(tail.has_value());
  EXPECT_EQ(Snippet(path, *tail, "tail"), "[ログ.log] tail words");
  // Entries never join: the end of one and the start of the next are no match.
  EXPECT_FALSE(Find(path, "た議事録").has_value());
}

TEST_F(ContainedTextTest, Zip64DataDescriptorsGzipAndLongEntries) {
  ZipWriter zip64(true);
  zip64.Add("one.txt", "first");
  zip64.Add("two.txt", "second needle");
  EXPECT_EQ(Find(Write("z64.zip", zip64.Build()), "needle"), 5u + 7u);

  ZipWriter described;
  described.Add(ZipItem{"a.txt", "alpha", true, true});
  described.Add(ZipItem{"b.txt", "beta needle", false, true});
  EXPECT_EQ(Find(Write("dd.zip", described.Build()), "needle"), 5u + 5u);

  // Two gzip members read as one text; .TGZ is gzip too.
  const std::string gz = Write("log.txt.gz", Gzipped("first part\n") + Gzipped("second needle\n"));
  EXPECT_EQ(Find(gz, "needle"), 18u);
  EXPECT_EQ(Snippet(gz, 18, "needle"), "needle\n");
  EXPECT_EQ(Find(Write("a.TGZ", Gzipped("tar needle")), "needle"), 4u);

  // Matches wherever the inflated chunks and the search batches end.
  std::string big(3u << 20, 'x');
  for (std::size_t at : {(256u << 10) - 3, (64u << 10) - 2, (1u << 20) + 1}) {
    std::string data = big;
    data.replace(at, 6, "needle");
    ZipWriter zip;
    zip.Add("big.txt", data);
    EXPECT_EQ(Find(Write("big.zip", zip.Build()), "needle"), at);
  }
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ContainedTextTest, DamagedArchivesAreNonHitsAndReported) {
  const int damaged = trovex::fs::DamagedDataError();
  const auto start = std::chrono::steady_clock::now();
  // A zip bomb: gigabytes promised, a few megabytes inflated before it stops.
  ZipWriter bomb;
  bomb.Add(
      ZipItem{"bomb.txt", std::string(64u << 20, '\0'), true, false, true, false, 4000000000u});
  const std::string bombPath = Write("bomb.zip", bomb.Build());
  EXPECT_FALSE(Find(bombPath, "needle").has_value());
  const std::string gzBomb = Write("bomb.gz", Gzipped(std::string(64u << 20, 'a')));
  EXPECT_FALSE(Find(gzBomb, "needle").has_value());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));

  // An encrypted entry is passed over; the archive is reported when it has no hit.
  ZipWriter locked;
  locked.Add(ZipItem{"secret.txt", "needle", false, false, true, true});
  locked.Add("open.txt", "open words");
  const std::string lockedPath = Write("locked.zip", locked.Build());
  EXPECT_FALSE(Find(lockedPath, "needle").has_value());
  EXPECT_EQ(Find(lockedPath, "open"), 0u);

  // Cut off, or with a flipped byte in the deflated data (its CRC fails).
  const std::string docx = Docx();
  const std::string cut = Write("cut.docx", docx.substr(0, docx.size() / 2));
  EXPECT_FALSE(Find(cut, "Rossum").has_value());
  std::string flipped = docx;
  const std::size_t body = flipped.find("word/document.xml") + 17;
  flipped[body + 10] = static_cast<char>(flipped[body + 10] ^ 0x55);
  const std::string flippedPath = Write("flipped.docx", flipped);
  EXPECT_FALSE(Find(flippedPath, "Rossum").has_value());

  std::vector<std::pair<std::string, int>> expected = {{bombPath, damaged},
                                                       {gzBomb, damaged},
                                                       {lockedPath, damaged},
                                                       {cut, damaged},
                                                       {flippedPath, damaged}};
  EXPECT_EQ(failures_, expected);

  // Not an archive at all: the bytes are searched.
  EXPECT_EQ(Find(Write("plain.docx", "just Rossum here"), "Rossum"), 5u);
  EXPECT_EQ(Find(Write("plain.gz", "gz Rossum"), "Rossum"), 3u);
  // The cancel flag is obeyed inside an archive.
  cancel_ = true;
  EXPECT_FALSE(Find(Write("b.docx", Docx()), "Rossum").has_value());
}

}  // namespace
