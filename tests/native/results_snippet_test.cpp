#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "results/hit_snippet.h"
#include "results/unicode_to_shift_jis.h"

using namespace trovex::results;
namespace stdfs = std::filesystem;

namespace {

class SnippetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = stdfs::temp_directory_path() / (std::string("trovex_snippet_") + info->name());
    stdfs::remove_all(folder_);
    stdfs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    stdfs::remove_all(folder_, ignored);
  }

  // Writes `bytes` to a new file and returns its path as the program names it.
  std::string Write(const std::string& name, const std::string& bytes) {
    const stdfs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  stdfs::path folder_;
};

std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

std::string Utf16Le(std::u16string_view units) {
  std::string bytes;
  for (char16_t unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

SnippetInputs NumbersContent(int binaryDisplay) {
  SnippetInputs inputs;
  inputs.contentFirstChar = ',';
  inputs.binaryDisplay = static_cast<BinaryDisplay>(binaryDisplay);
  return inputs;
}

}  // namespace

TEST_F(SnippetTest, TextIsSixtyFourBytesFromTheHitUpToAZeroByte) {
  std::string body;
  for (int i = 0; i < 100; ++i) body += static_cast<char>('A' + i % 26);
  const std::string path = Write("long.txt", body);
  EXPECT_EQ(MakeSnippet(path, 0, {}), body.substr(0, 64));
  EXPECT_EQ(MakeSnippet(path, 90, {}), body.substr(90));  // the last 10 bytes
  EXPECT_EQ(MakeSnippet(path, 100, {}), "");
  EXPECT_EQ(MakeSnippet(path, -1, {}), "");

  const std::string zero = Write("zero.txt", std::string("hit\r\nhere\0after", 15));
  EXPECT_EQ(MakeSnippet(zero, 0, {}), "hit\r\nhere");
  EXPECT_EQ(MakeSnippet(zero, 10, {}), "after");
}

TEST_F(SnippetTest, NumbersSearchShowsBytesInEitherDisplay) {
  const std::string path = Write("ab.bin", std::string("xAB\r\n\x7F\x80\xFF"
                                                       "cd",
                                                       10));
  EXPECT_EQ(MakeSnippet(path, 1, NumbersContent(0)), "41,42,0D,0A,7F,80,FF,63,64");
  EXPECT_EQ(MakeSnippet(path, 1, NumbersContent(1)), "AB.....cd");
  EXPECT_EQ(MakeSnippet(path, 1, NumbersContent(2)), "");
  EXPECT_EQ(MakeSnippet(path, 9, NumbersContent(0)), "64");
  EXPECT_EQ(MakeSnippet(path, 10, NumbersContent(0)), "");
  EXPECT_EQ(MakeSnippet(path, -1, NumbersContent(0)), "");
  EXPECT_EQ(BinarySnippet(path, -1, BinaryDisplay::Chars), "");

  std::string zeros(80, '\0');
  const std::string zeroFile = Write("zeros.bin", zeros);
  const std::string hex = MakeSnippet(zeroFile, 0, NumbersContent(0));
  EXPECT_EQ(hex.size(), 64u * 3 - 1);  // zero bytes do not end a binary snippet
  EXPECT_EQ(hex.substr(0, 6), "00,00,");
  EXPECT_EQ(MakeSnippet(zeroFile, 0, NumbersContent(1)), std::string(64, '.'));
}

// The option's stored or chosen index: 1 one-byte characters, any other hexadecimal.
TEST(SnippetDisplay, AnIndexOtherThanOneShowsHexadecimal) {
  EXPECT_EQ(BinaryDisplayFromIndex(1), BinaryDisplay::Chars);
  for (int index : {0, 2, -1, 7}) EXPECT_EQ(BinaryDisplayFromIndex(index), BinaryDisplay::Hex);
  EXPECT_EQ(IndexOf(BinaryDisplay::Chars), 1);
}

TEST_F(SnippetTest, CommaAsContentShowsText) {
  const std::string path = Write("comma.txt", "a,100,b");
  SnippetInputs inputs = NumbersContent(0);
  inputs.commaIsContent = true;
  EXPECT_EQ(MakeSnippet(path, 1, inputs), ",100,b");
  // Without a leading comma in the content box the snippet is text too.
  inputs = NumbersContent(0);
  inputs.contentFirstChar = 'a';
  EXPECT_EQ(MakeSnippet(path, 0, inputs), "a,100,b");
}

TEST_F(SnippetTest, WordDocumentsDecodeUtf16OnlyForNonAlphanumericTexts) {
  const std::string wide = Utf16Le(u"検索の例");
  std::string body = std::string(8, '\x01') + wide + std::string(2, '\0') + "abcdef";
  const std::string path = Write("REPORT.DOC", body);
  SnippetInputs japanese;
  japanese.allAlphanumeric = false;
  EXPECT_EQ(MakeSnippet(path, 8, japanese), "検索の例");
  const auto abcAt = static_cast<std::int64_t>(body.find("abc"));
  EXPECT_EQ(MakeSnippet(path, abcAt, {}), "abcdef");  // "abc": the raw bytes
  EXPECT_EQ(MakeSnippet(path, 8, {}), wide);          // raw bytes, up to the zero bytes after them
  // Another extension is never decoded for a plain text search.
  EXPECT_EQ(MakeSnippet(Write("report.txt", body), 8, japanese), wide);
}

TEST_F(SnippetTest, ConvertedSearchesDecodeAndSkipByteOrderMarks) {
  SnippetInputs utf16;
  utf16.searchedUtf16 = true;
  const std::string wide = Write("wide.txt", "\xFF\xFE" + Utf16Le(u"検索abc"));
  EXPECT_EQ(MakeSnippet(wide, 0, utf16), "検索abc");
  EXPECT_EQ(MakeSnippet(wide, 2, utf16), "検索abc");
  SnippetInputs fromUtf16;
  fromUtf16.fromUtf16 = true;
  EXPECT_EQ(MakeSnippet(wide, 0, fromUtf16), "検索abc");

  SnippetInputs fromUtf8;
  fromUtf8.fromUtf8 = true;
  fromUtf8.searchedUtf16 = true;  // the UTF-8 flag decides the decoding
  const std::string utf8 = Write("utf8.txt", "\xEF\xBB\xBF" + U8(u8"検索 ｱ\r\nx"));
  EXPECT_EQ(MakeSnippet(utf8, 0, fromUtf8), "検索 ｱ\r\nx");
  EXPECT_EQ(MakeSnippet(utf8, 3, fromUtf8), "検索 ｱ\r\nx");
}

TEST_F(SnippetTest, UnreadableFilesGiveAnEmptySnippet) {
  const std::string missing = (folder_ / "missing.txt").string();
  EXPECT_EQ(MakeSnippet(missing, 0, {}), "");
  EXPECT_EQ(MakeSnippet(missing, 0, NumbersContent(0)), "");
  EXPECT_EQ(MakeSnippet(folder_.string(), 0, {}), "");  // a folder
  const std::string empty = Write("empty.txt", "");
  EXPECT_EQ(MakeSnippet(empty, 0, {}), "");
  EXPECT_EQ(MakeSnippet(empty, 0, NumbersContent(0)), "");
}

TEST_F(SnippetTest, OffsetsBeyondFourGigabytes) {
  const stdfs::path path = folder_ / "sparse.bin";
  const std::uint64_t offset = (5ull << 30) + 3;
  {
    std::ofstream out(path, std::ios::binary);
    out.seekp(static_cast<std::streamoff>(offset));
    out.write("far", 3);
    if (!out) GTEST_SKIP() << "no room for a sparse 5 GiB file here";
  }
  EXPECT_EQ(MakeSnippet(path.string(), static_cast<std::int64_t>(offset), {}), "far");
  EXPECT_EQ(MakeSnippet(path.string(), static_cast<std::int64_t>(offset), NumbersContent(0)),
            "66,61,72");
}

TEST(UnicodeToShiftJis, WideUnitsUpToZeroWithByteOrderMarkSkipped) {
  EXPECT_EQ(WideToShiftJis(u"\xFEFF"
                           u"検a"),
            "検a");
  EXPECT_EQ(WideToShiftJis(u"\xFFFE"
                           u"検a"),
            "検a");
  EXPECT_EQ(WideToShiftJis(u"a\xFEFF"), "a ");  // only a leading mark is skipped
  EXPECT_EQ(WideToShiftJis(std::u16string(u"ab\0cd", 5)), "ab");
  EXPECT_EQ(WideToShiftJis(u"x\x0101y"), "x y");  // no CP932 form: one space
  EXPECT_EQ(WideToShiftJis(u"\xFF71"), "ｱ");
  EXPECT_EQ(WideBytesToShiftJis(std::string("a\0b", 3)), "ab");  // odd last byte
}

TEST(UnicodeToShiftJis, Utf8IsDecodedLeniently) {
  EXPECT_EQ(Utf8ToShiftJis("\xEF\xBB\xBF"
                           "abc"),
            "abc");
  const std::string umlaut = U8(u8"ä検");  // U+00E4 has no CP932 form
  EXPECT_EQ(Utf8ToShiftJis(umlaut), " 検");
  EXPECT_EQ(Utf8ToShiftJis(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(Utf8ToShiftJis("\xE6\xA4"), "");  // cut by the end of the snippet
  EXPECT_EQ(Utf8ToShiftJis("a\xF0\x9F\x98\x80"
                           "b"),
            "a b");
}

TEST_F(SnippetTest, RtfSnippetIsTakenFromTheReducedText) {
  // Reduces to " Hello " 82 A0 " World" ("あ" written as two hex escapes).
  const std::string path = Write("note.RTF", "{\\rtf1 Hello \\'82\\'a0 World}");
  EXPECT_EQ(MakeSnippet(path, 7, {}), "あ World");
  EXPECT_EQ(MakeSnippet(path, 0, {}), " Hello あ World");
  EXPECT_EQ(MakeSnippet(path, 15, {}), "");
  // The reduced text ends before a zero byte it holds.
  const std::string zero = Write("zero.rtf", "{\\rtf1 ab\\'00cd}");
  EXPECT_EQ(MakeSnippet(zero, 0, {}), " ab");
  std::string longText = "{\\rtf1 ";
  longText += std::string(100, 'x') + "}";
  EXPECT_EQ(MakeSnippet(Write("long.rtf", longText), 1, {}), std::string(64, 'x'));
}
