#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>

#include "platform/fs/system_error.h"
#include "results/hit_snippet.h"
#include "search/contained_text.h"
#include "search/file_scan.h"
#include "search/parse_search_content.h"
#include "search/aes_cipher.h"
#include "search/digests.h"
#include "search/pdf_filters.h"
#include "search/search_options.h"
#include "pdf_writer.h"
#include "temp_folder_test.h"

using namespace trovex::search;
using trovex::testing::PdfWriter;
using trovex::testing::PdfXref;

namespace {

std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// A catalog (1), a page tree (2) with one page (3) showing content stream 4 with
// font 5.
void OnePage(PdfWriter& pdf, const std::string& font, const std::string& content,
             bool packed = false) {
  pdf.Add(1, "<</Type/Catalog/Pages 2 0 R>>", packed);
  pdf.Add(2, "<</Type/Pages/Kids[3 0 R]/Count 1/Resources<</Font<</F1 5 0 R>>>>>>", packed);
  pdf.Add(3, "<</Type/Page/Parent 2 0 R/MediaBox[0 0 612 792]/Contents 4 0 R>>", packed);
  pdf.AddStream(4, "", content);
  pdf.Add(5, font, packed);
}

const std::string kHelvetica = "<</Type/Font/Subtype/Type1/BaseFont/Helvetica>>";

// Japanese text through /ToUnicode: bfchar, bfrange with an array and a
// surrogate pair; object 6 is the map.
const std::string kToUnicode =
    "/CIDInit/ProcSet findresource begin 12 dict begin begincmap\n"
    "1 begincodespacerange <0000><FFFF> endcodespacerange\n"
    "2 beginbfchar <0001><65E5> <0004><D842DFB7> endbfchar\n"
    "1 beginbfrange <0002><0003>[<672C><8A9E>] endbfrange\n"
    "1 beginbfrange <0010><0012><691C> endbfrange\n"
    "endcmap CMapName currentdict /CMap defineresource pop end end";
const std::string kType0 =
    "<</Type/Font/Subtype/Type0/BaseFont/Mincho/Encoding/Identity-H"
    "/DescendantFonts[<</Type/Font/Subtype/CIDFontType0/BaseFont/Mincho"
    "/CIDSystemInfo<</Registry(Adobe)/Ordering(Japan1)/Supplement 6>>/DW 1000>>]"
    "/ToUnicode 6 0 R>>";

class PdfTextTest : public trovex::testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    state_.fileFailure = [this](const std::string& path, int) { failures_.push_back(path); };
  }
  // `text` is CP932, as typed in the program.
  std::optional<std::uint64_t> Find(const std::string& path, const std::string& text,
                                    SearchOptions options = {}) {
    SearchQuery query;
    EXPECT_TRUE(ParseSearchContent(text, options, nullptr, query));
    return SearchFile(path, query, MatchOptionsFor(options, query.mode), state_, cancel_);
  }
  std::string Text(const std::string& name, const std::string& bytes) {
    return ContainedTextOf(Write(name, bytes)).value_or("<none>");
  }

  ScanState state_;
  std::atomic<bool> cancel_{false};
  std::vector<std::string> failures_;
};

TEST_F(PdfTextTest, SimpleFontWithDifferencesAndLineBreaks) {
  PdfWriter pdf;
  OnePage(pdf,
          "<</Type/Font/Subtype/Type1/BaseFont/Helvetica"
          "/Encoding<</BaseEncoding/WinAnsiEncoding/Differences[128/udieresis/germandbls"
          " 140/uni3042]>>/FirstChar 32/Widths[278]>>",
          "BT /F1 12 Tf 72 700 Td (Gr\\200\\214\\201e) Tj 0 -14 Td (caf\\351 line) Tj"
          " 14 TL T* (third) Tj (\\(x\\)) ' ET");
  EXPECT_EQ(Text("a.PDF", pdf.Build(1)), "Gr\xC3\xBC" + U8(u8"あ") +
                                             "\xC3\x9F"
                                             "e\r\ncaf\xC3\xA9 line\r\nthird\r\n(x)\r\n");
}

TEST_F(PdfTextTest, Type0JapaneseAndKerningGapsAreFoundAtTheirOffsets) {
  PdfWriter pdf;
  OnePage(pdf, kType0,
          // Small kerning between Japanese characters is no gap; the large one
          // before the Latin word is a space, and so is one between words.
          "BT /F1 10 Tf 50 700 Td [<0001> -30 <00020003>] TJ [<0004> -1500 <0010>] TJ ET\n"
          "BT /F2 10 Tf 50 680 Td [(Hel) -20 (lo) -400 (World)] TJ ET");
  pdf.AddStream(6, "", kToUnicode);
  pdf.Add(2, "<</Type/Pages/Kids[3 0 R]/Count 1/Resources<</Font<</F1 5 0 R/F2 7 0 R>>>>>>");
  pdf.Add(7, kHelvetica);
  const std::string path = Write("jp.pdf", pdf.Build(1));
  // U+20BB7 is written as its UTF-8 bytes.
  const std::string text = U8(u8"日本語") + "\xF0\xA0\xAE\xB7 " + U8(u8"検\r\nHello World\r\n");
  EXPECT_EQ(ContainedTextOf(path), text);
  EXPECT_EQ(Find(path, "日本語"), 0u);
  EXPECT_EQ(Find(path, "Hello World"), text.find("Hello"));
  EXPECT_EQ(Find(path, "検"), text.find(U8(u8"検")));
  // A byte list searches the file's own bytes.
  EXPECT_EQ(Find(path, ",0x25,0x50,0x44,0x46"), 0u);
  // Searched as bytes, the compressed page holds no word.
  SearchOptions raw;
  raw.optionsOpen = true;
  raw.lookInside = false;
  EXPECT_FALSE(Find(path, "World", raw).has_value());

  // The snippet comes from the extracted text.
  SearchQuery query;
  ASSERT_TRUE(ParseSearchContent("World", {}, nullptr, query));
  const auto inputs =
      trovex::results::SnippetInputsFor({}, query, trovex::results::BinaryDisplay::Hex);
  EXPECT_EQ(
      trovex::results::MakeSnippet(path, static_cast<std::int64_t>(text.find("World")), inputs),
      "World\r\n");
  EXPECT_TRUE(failures_.empty());
}

TEST_F(PdfTextTest, JapaneseWithoutToUnicodeGoesThroughCidsOrShiftJis) {
  // CIDs 843, 1877 and 2151 of Adobe-Japan1 are あ, 検 and 索.
  PdfWriter identity;
  OnePage(identity,
          "<</Type/Font/Subtype/Type0/BaseFont/Gothic/Encoding/Identity-V"
          "/DescendantFonts[<</Subtype/CIDFontType0/CIDSystemInfo<</Registry(Adobe)"
          "/Ordering(Japan1)/Supplement 6>>>>]>>",
          // Vertical text: each character one em below the last is the same line.
          "BT /F1 10 Tf 1 0 0 1 300 700 Tm <034B> Tj 1 0 0 1 300 690 Tm <07550867> Tj ET");
  EXPECT_EQ(Text("v.pdf", identity.Build(1)), U8(u8"あ検索\r\n"));

  PdfWriter rksj;
  OnePage(rksj,
          "<</Type/Font/Subtype/Type0/BaseFont/MS-Mincho/Encoding/90ms-RKSJ-H"
          "/DescendantFonts[<</Subtype/CIDFontType2/CIDSystemInfo<</Registry(Adobe)"
          "/Ordering(Japan1)/Supplement 2>>>>]>>",
          "BT /F1 10 Tf 72 700 Td <8C9F8DF5> Tj (ABC) Tj ET");
  EXPECT_EQ(Text("s.pdf", rksj.Build(1)), U8(u8"検索ABC\r\n"));
}

TEST_F(PdfTextTest, XrefStreamsObjectStreamsAndUpdates) {
  PdfWriter pdf;
  OnePage(pdf, kHelvetica, "BT /F1 12 Tf 72 700 Td (packed words) Tj ET", true);
  EXPECT_EQ(Text("x.pdf", pdf.Build(1, PdfXref::Stream)), "packed words\r\n");

  // An update replaces the page's content; the old text is gone. A second page
  // (in the update) inherits the tree's resources.
  PdfWriter base;
  OnePage(base, kHelvetica, "BT /F1 12 Tf 72 700 Td (old text) Tj ET");
  const std::string first = base.Build(1);
  const std::string updated =
      base.Update(first,
                  {{2, "<</Type/Pages/Kids[3 0 R 9 0 R]/Count 2/Resources<</Font<</F1 5 0 R>>>>>>"},
                   {8, "<</Length 40>>stream\nBT /F1 12 Tf 72 700 Td (new text) Tj ET\nendstream"},
                   {9, "<</Type/Page/Parent 2 0 R/Contents 8 0 R>>"}},
                  1, 10);
  const std::string path = Write("u.pdf", updated);
  EXPECT_EQ(ContainedTextOf(path), "old text\r\nnew text\r\n");
}

TEST_F(PdfTextTest, DamagedCrossReferencesAreRebuilt) {
  PdfWriter pdf;
  OnePage(pdf, kHelvetica, "BT /F1 12 Tf 72 700 Td (rebuilt words) Tj ET");
  std::string file = pdf.Build(1);
  // Every offset of the table off by 7, and no table at all.
  const std::size_t table = file.find("xref\n0 ");
  for (std::size_t at = file.find(" 00000 n", table); at != std::string::npos;
       at = file.find(" 00000 n", at + 1))
    file[at - 1] = static_cast<char>(file[at - 1] == '9' ? '0' : file[at - 1] + 1);
  EXPECT_EQ(Text("shifted.pdf", file), "rebuilt words\r\n");
  PdfWriter missing;
  OnePage(missing, kHelvetica, "BT /F1 12 Tf 72 700 Td (rebuilt words) Tj ET");
  EXPECT_EQ(Text("missing.pdf", missing.Build(1, PdfXref::Missing)), "rebuilt words\r\n");

  // Neither cross-references nor a trailer, the catalog inside an object stream.
  PdfWriter packed;
  OnePage(packed, kHelvetica, "BT /F1 12 Tf 72 700 Td (packed and lost) Tj ET", true);
  EXPECT_EQ(Text("packed.pdf", packed.Build(1, PdfXref::Missing)), "packed and lost\r\n");

  // No page tree at all: a damaged file, reported, never a hit.
  const std::string broken = Write("broken.pdf", "%PDF-1.4\n1 0 obj\n<</Type/Font>>\nendobj\n");
  EXPECT_FALSE(Find(broken, "Font").has_value());
  // Not a PDF after all: its bytes are searched.
  EXPECT_EQ(Find(Write("plain.pdf", "just words"), "words"), 5u);
  EXPECT_EQ(failures_, std::vector<std::string>{broken});
}

TEST_F(PdfTextTest, BombsLoopsAndDeepNestingEndQuickly) {
  const auto start = std::chrono::steady_clock::now();
  PdfWriter pdf;
  pdf.Add(1, "<</Type/Catalog/Pages 2 0 R>>");
  // A kid that is its own ancestor, a form that draws itself, a bomb of spaces
  // and a nesting deeper than any real file.
  pdf.Add(2,
          "<</Type/Pages/Kids[2 0 R 3 0 R 6 0 R]/Count 3/Resources<</Font<</F1 5 0 R>>"
          "/XObject<</X 7 0 R>>>>>>");
  pdf.Add(3, "<</Type/Page/Parent 2 0 R/Contents 4 0 R>>");
  pdf.AddStream(4, "",
                "BT /F1 12 Tf (first) Tj ET /X Do " + std::string(200, '[') + " BT (tail) Tj ET");
  pdf.Add(5, kHelvetica);
  pdf.Add(6, "<</Type/Page/Parent 2 0 R/Contents 8 0 R>>");
  pdf.AddStream(7, "/Type/XObject/Subtype/Form/BBox[0 0 9 9]",
                "BT /F1 12 Tf 0 -30 Td (form) Tj ET /X Do");
  pdf.AddStream(8, "", "BT /F1 12 Tf (second) Tj ET" + std::string(64u << 20, ' '));
  const std::string path = Write("bomb.pdf", pdf.Build(1));
  EXPECT_EQ(ContainedTextOf(path), "first\r\nform\r\ntail\r\n");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));

  // The cancel flag ends the reading.
  cancel_ = true;
  EXPECT_FALSE(Find(path, "first").has_value());
}

std::string HexOf(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out = "<";
  for (const unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out + ">";
}

std::string Rc4(const std::string& key, std::string data) {
  unsigned char s[256];
  for (int i = 0; i < 256; ++i) s[i] = static_cast<unsigned char>(i);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) & 255;
    std::swap(s[i], s[j]);
  }
  for (int i = 0, j = 0, n = 0; n < static_cast<int>(data.size()); ++n) {
    i = (i + 1) & 255;
    j = (j + s[i]) & 255;
    std::swap(s[i], s[j]);
    data[n] = static_cast<char>(data[n] ^ s[(s[i] + s[j]) & 255]);
  }
  return data;
}

// A file encrypted with AES-128 under the standard handler's revision 4, the
// page's stream sealed with its object key; `password` empty opens it.
std::string AesEncrypted(const std::string& content, bool emptyPassword) {
  const std::string pad(
      "\x28\xBF\x4E\x5E\x4E\x75\x8A\x41\x64\x00\x4E\x56\xFF\xFA\x01\x08"
      "\x2E\x2E\x00\xB6\xD0\x68\x3E\x80\x2F\x0C\xA9\xFE\x64\x53\x69\x7A",
      32);
  const std::string id = "0123456789abcdef", owner(32, 'O');
  std::string key = Md5(pad + owner + std::string("\xFC\xFF\xFF\xFF", 4) + id);
  for (int i = 0; i < 50; ++i) key = Md5(key);
  std::string check = Rc4(key, Md5(pad + id));
  for (int i = 1; i <= 19; ++i) {
    std::string round = key;
    for (char& c : round) c = static_cast<char>(c ^ i);
    check = Rc4(round, check);
  }
  const std::string user = (emptyPassword ? check : std::string(16, 'x')) + std::string(16, '\0');
  std::string plain = trovex::testing::ZlibDeflated(content);
  plain.append(16 - plain.size() % 16, static_cast<char>(16 - plain.size() % 16));
  const std::string objectKey = Md5(key + std::string("\x04\0\0\0\0sAlT", 9));
  const std::string iv = "sixteen byte iv!";
  const std::string sealed = iv + Aes(objectKey).EncryptCbc(iv, plain);
  PdfWriter pdf;
  pdf.Add(1, "<</Type/Catalog/Pages 2 0 R>>");
  pdf.Add(2, "<</Type/Pages/Kids[3 0 R]/Count 1/Resources<</Font<</F1 5 0 R>>>>>>");
  pdf.Add(3, "<</Type/Page/Parent 2 0 R/Contents 4 0 R>>");
  pdf.Add(4, "<</Filter/FlateDecode/Length " + std::to_string(sealed.size()) + ">>\nstream\n" +
                 sealed + "\nendstream");
  pdf.Add(5, kHelvetica);
  pdf.Add(6,
          "<</Filter/Standard/V 4/R 4/Length 128/CF<</StdCF<</CFM/AESV2/Length 16>>>>"
          "/StmF/StdCF/StrF/StdCF/P -4/O" +
              HexOf(owner) + "/U" + HexOf(user) + ">>");
  return pdf.Build(1, PdfXref::Table, "/Encrypt 6 0 R/ID[" + HexOf(id) + HexOf(id) + "]");
}

TEST_F(PdfTextTest, EncryptedFilesOpenWithTheEmptyPasswordOnly) {
  const std::string open =
      Write("open.pdf", AesEncrypted("BT /F1 9 Tf (sealed words) Tj ET", true));
  EXPECT_EQ(ContainedTextOf(open), "sealed words\r\n");
  EXPECT_EQ(Find(open, "words"), 7u);
  const std::string locked =
      Write("locked.pdf", AesEncrypted("BT /F1 9 Tf (sealed words) Tj ET", false));
  EXPECT_FALSE(Find(locked, "words").has_value());
  EXPECT_EQ(failures_, std::vector<std::string>{locked});
}

TEST_F(PdfTextTest, Filters) {
  std::string out;
  // The example of the LZW filter's description: "-----A---B".
  ASSERT_TRUE(
      pdf::LzwDecode(std::string("\x80\x0B\x60\x50\x22\x0C\x0C\x85\x01", 9), true, 100, out));
  EXPECT_EQ(out, "-----A---B");
  out.clear();
  ASSERT_TRUE(pdf::Ascii85Decode("87cURD]i,\"Ebo80~>", out));
  EXPECT_EQ(out, "Hello World!");
  out.clear();
  ASSERT_TRUE(pdf::Ascii85Decode("87cURD]i,\"Ebo7", out));  // a last group of three
  EXPECT_EQ(out, "Hello World");
  out.clear();
  ASSERT_TRUE(pdf::Ascii85Decode("z!!~>", out));
  EXPECT_EQ(out, std::string(5, '\0'));
  out.clear();
  ASSERT_TRUE(pdf::AsciiHexDecode("48 65 6c6C 7>", out));
  EXPECT_EQ(out, "Hellp");
  out.clear();
  EXPECT_FALSE(pdf::AsciiHexDecode("4G", out));
  // Chained filters on a page: ASCII85 over deflate.
  PdfWriter chained;
  chained.Add(1, "<</Type/Catalog/Pages 2 0 R>>");
  chained.Add(2, "<</Type/Pages/Kids[3 0 R]/Count 1>>");
  chained.Add(3, "<</Type/Page/Contents 4 0 R/Resources<</Font<</F1 5 0 R>>>>>>");
  chained.Add(5, kHelvetica);
  const std::string z = trovex::testing::ZlibDeflated("BT /F1 9 Tf (hex over flate) Tj ET");
  std::string hex;
  for (const unsigned char c : z) {
    const char* digits = "0123456789ABCDEF";
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  chained.Add(4, "<</Filter[/ASCIIHexDecode/FlateDecode]/Length " + std::to_string(hex.size() + 1) +
                     ">>\nstream\n" + hex + ">\nendstream");
  EXPECT_EQ(Text("f.pdf", chained.Build(1)), "hex over flate\r\n");
}

}  // namespace
