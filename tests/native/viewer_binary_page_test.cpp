#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "search/byte_source.h"
#include "temp_folder_test.h"
#include "viewer/binary_page.h"

using namespace trovex::viewer;
namespace stdfs = std::filesystem;

namespace {

class BinaryPageTest : public trovex::testing::TempFolderTest {
 protected:
  trovex::search::FileBytes fs_;
};

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

PageBuffer BufferOf(const std::string& bytes, std::uint64_t page = 0) {
  PageBuffer buffer;
  std::copy(bytes.begin(), bytes.begin() + std::min(bytes.size(), kPageReadSize),
            buffer.bytes.begin());
  buffer.page = page;
  buffer.bytesRead = std::min(bytes.size(), kPageReadSize);
  return buffer;
}

const std::string kMixedRow = Bytes({0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x0D, 0x0A, 0x00, 0x20, 0x7E,
                                     0x7F, 0x81, 0x40, 0xFF, 0x41, 0x7A});

TEST_F(BinaryPageTest, PagesOfAFileAndTheZerosPastItsEnd) {
  EXPECT_EQ(LastPageOf(0), 0u);
  EXPECT_EQ(LastPageOf(255), 0u);
  EXPECT_EQ(LastPageOf(512), 2u);  // page 2 lies wholly past the end

  std::string content(600, 'a');
  content[256] = 'B';
  content[320] = 'C';  // first byte of the lookahead of page 1
  fs_.Open(Write("f.bin", content));
  ASSERT_TRUE(fs_.IsOpen());
  PageBuffer buffer;
  ReadPage(fs_, 1, false, buffer);
  EXPECT_EQ(buffer.bytesRead, 320u);
  EXPECT_EQ(buffer.bytes[0], 'B');
  EXPECT_EQ(buffer.bytes[64], 'C');

  ReadPage(fs_, 2, false, buffer);  // 88 bytes left, then zeros
  EXPECT_EQ(buffer.bytesRead, 88u);
  EXPECT_EQ(buffer.bytes[87], 'a');
  EXPECT_EQ(buffer.bytes[88], 0);
  EXPECT_EQ(buffer.bytes[319], 0);

  ReadPage(fs_, 9, false, buffer);  // past the end: nothing read, all zero
  EXPECT_EQ(buffer.bytesRead, 0u);
  EXPECT_EQ(RenderPageLines(buffer, 16, CharPane::Bytes).chars[0], "................");
}

TEST_F(BinaryPageTest, AFileThatCannotBeOpenedShowsAnEmptyPage) {
  trovex::search::FileBytes missing;
  EXPECT_FALSE(missing.Open((folder_ / "gone.bin").string()));
  EXPECT_FALSE(missing.Open(folder_.string()));  // a folder is no file to page through
  EXPECT_EQ(missing.Size(), 0u);
  PageBuffer buffer;
  buffer.bytes[3] = 'x';
  ReadPage(missing, 0, false, buffer);
  EXPECT_EQ(buffer.bytesRead, 0u);
  EXPECT_EQ(buffer.bytes[3], 0);
}

TEST_F(BinaryPageTest, ASparseFileOfFiveGibibytesPagesIn64Bits) {
  const stdfs::path path = folder_ / "big.bin";
  std::ofstream(path, std::ios::binary).put('x');
  std::error_code error;
  stdfs::resize_file(path, 5ull << 30, error);
  if (error) GTEST_SKIP() << "no room for a sparse 5 GiB file: " << error.message();
  {
    std::fstream tail(path, std::ios::in | std::ios::out | std::ios::binary);
    tail.seekp(static_cast<std::streamoff>((5ull << 30) - 1));
    tail.put('Z');
  }
  ASSERT_TRUE(fs_.Open(path.string()));
  const std::uint64_t last = LastPageOf(fs_.Size());
  EXPECT_EQ(last, 20971520u);
  PageBuffer buffer;
  ReadPage(fs_, last - 1, false, buffer);  // the page holding the file's last byte
  EXPECT_EQ(buffer.bytesRead, 256u);
  EXPECT_EQ(buffer.bytes[255], 'Z');
  ReadPage(fs_, last, false, buffer);
  const PageLines lines = RenderPageLines(buffer, 16, CharPane::Bytes);
  EXPECT_EQ(lines.addresses[0], " 000140000000");
  EXPECT_EQ(lines.addresses[15], " 0001400000F0");
}

TEST_F(BinaryPageTest, RowsOfTheThreePanes) {
  std::string page = kMixedRow + std::string(300, '\0');
  const PageBuffer buffer = BufferOf(page, 3);
  const PageLines lines = RenderPageLines(buffer, 16, CharPane::Bytes);
  ASSERT_EQ(lines.addresses.size(), 16u);
  EXPECT_EQ(lines.addresses[1], " 000000000310");
  EXPECT_EQ(lines.hex[0], "48 65 6C 6C 6F 0D 0A 00 20 7E 7F 81 40 FF 41 7A");
  EXPECT_EQ(lines.hex[0].size(), 47u);
  EXPECT_EQ(lines.chars[0], "Hello... ~..@.Az");
  // Decoded: 81 40 is the full-width space, drawn over its two columns.
  EXPECT_EQ(CharPaneLines(buffer.bytes.data(), kPageReadSize, 1, CharPane::ShiftJis)[0],
            "Hello... ~.\x81\x40.Az");
}

TEST_F(BinaryPageTest, ExtraRowsComeFromTheLookahead) {
  std::string page(256, 'p');
  page += std::string(64, 'n');
  const PageLines lines = RenderPageLines(BufferOf(page, 2), 18, CharPane::Bytes);
  ASSERT_EQ(lines.hex.size(), 18u);
  EXPECT_EQ(lines.addresses[16], " 000000000300");
  EXPECT_EQ(lines.addresses[17], " 000000000310");
  EXPECT_EQ(lines.chars[16], "nnnnnnnnnnnnnnnn");
  EXPECT_EQ(lines.chars[15], "pppppppppppppppp");
}

// Every decoded line keeps 16 columns, whatever the encoding, so the panes align.
TEST_F(BinaryPageTest, DecodedPanesKeepTheirColumns) {
  const std::string japanese = U8(u8"日本語のテキスト、ｶﾅ");
  const PageBuffer utf8 = BufferOf(japanese + "abc");
  const auto utf8Lines = CharPaneLines(utf8.bytes.data(), kPageReadSize, 3, CharPane::Utf8);
  // 日 (3 bytes) is drawn as its two CP932 bytes and one blank.
  EXPECT_EQ(utf8Lines[0].substr(0, 3), "\x93\xfa ");
  for (const auto& line : utf8Lines) EXPECT_EQ(line.size(), 16u);

  // UTF-16LE "A日": A and a blank, 日 over its two columns.
  const PageBuffer utf16 = BufferOf(Bytes({0x41, 0x00, 0xE5, 0x65, 0x00, 0x00}));
  EXPECT_EQ(CharPaneLines(utf16.bytes.data(), kPageReadSize, 1, CharPane::Utf16Le)[0],
            "A \x93\xfa" + std::string(12, '.'));
  const PageBuffer utf16be = BufferOf(Bytes({0x00, 0x41, 0x65, 0xE5}));
  EXPECT_EQ(
      CharPaneLines(utf16be.bytes.data(), kPageReadSize, 1, CharPane::Utf16Be)[0].substr(0, 4),
      "A \x93\xfa");
  // EUC-JP 日 is B6 FC; 8E B6 is the half-width ｶ (one column and a blank).
  const PageBuffer euc = BufferOf(Bytes({0xC6, 0xFC, 0x8E, 0xB6, 0x41}));
  EXPECT_EQ(CharPaneLines(euc.bytes.data(), kPageReadSize, 1, CharPane::EucJp)[0].substr(0, 5),
            "\x93\xfa\xb6 A");
}

TEST_F(BinaryPageTest, ACharacterCutByTheRowEndIsDrawnWhereItFits) {
  // CP932 日 (93 FA) at column 15: two columns never fit in one, so its lead
  // is "." and the trail byte's column in the next row too.
  std::string bytes(15, 'a');
  bytes += Bytes({0x93, 0xFA});
  bytes += "bc";
  PageBuffer buffer = BufferOf(bytes);
  auto lines = CharPaneLines(buffer.bytes.data(), kPageReadSize, 2, CharPane::ShiftJis);
  EXPECT_EQ(lines[0], std::string(15, 'a') + ".");
  EXPECT_EQ(lines[1].substr(0, 3), ".bc");
  EXPECT_EQ(lines[1].size(), 16u);

  // UTF-8 日 (E6 97 A5) starting at column 14: its two columns fit there.
  bytes = std::string(14, 'a') + U8(u8"日") + "b";
  buffer = BufferOf(bytes);
  lines = CharPaneLines(buffer.bytes.data(), kPageReadSize, 2, CharPane::Utf8);
  EXPECT_EQ(lines[0], std::string(14, 'a') + "\x93\xfa");
  EXPECT_EQ(lines[1].substr(0, 2), " b");

  // Starting at column 15 it fits at the start of the next row instead.
  bytes = std::string(15, 'a') + U8(u8"日") + "b";
  buffer = BufferOf(bytes);
  lines = CharPaneLines(buffer.bytes.data(), kPageReadSize, 2, CharPane::Utf8);
  EXPECT_EQ(lines[0], std::string(15, 'a') + ".");
  EXPECT_EQ(lines[1].substr(0, 3),
            "\x93\xfa"
            "b");
}

TEST_F(BinaryPageTest, TheTextDisplayStopsAtTheFirstZero) {
  EXPECT_EQ(PageDisplayText(BufferOf("abc\r\ndef"), 256, CharPane::ShiftJis), "abc\r\ndef");
  EXPECT_EQ(PageDisplayText(BufferOf(Bytes({'a', 0, 'b'})), 256, CharPane::ShiftJis), "a");
  EXPECT_EQ(PageDisplayText(BufferOf(Bytes({0, 'b'})), 256, CharPane::Bytes), "");
  EXPECT_EQ(PageDisplayText(BufferOf(std::string(300, 'x')), 256, CharPane::Bytes).size(), 256u);
  // UTF-16 stops at a zero unit, not at the zero half of "A".
  EXPECT_EQ(PageDisplayText(BufferOf(Bytes({0x41, 0, 0x0D, 0, 0x0A, 0, 0xE5, 0x65, 0, 0, 0x42, 0})),
                            256, CharPane::Utf16Le),
            "A\r\n\x93\xfa");
  EXPECT_EQ(PageDisplayText(BufferOf(U8(u8"本\nabc")), 256, CharPane::Utf8), "\x96\x7b\nabc");
}

TEST_F(BinaryPageTest, RtfPagesAreReducedSliceBySlice) {
  // 320 bytes with no zero among them: the slice is read by its count.
  std::string rtf = "{\\rtf1 ";
  while (rtf.size() < 400) rtf += "word ";
  ASSERT_TRUE(fs_.Open(Write("a.RTF", rtf)));
  PageBuffer buffer;
  ReadPage(fs_, 0, true, buffer);
  const std::string_view text = buffer.Text(kPageReadSize);
  EXPECT_EQ(text.find('{'), std::string_view::npos);
  EXPECT_NE(text.find("word word"), std::string_view::npos);
  EXPECT_LE(buffer.bytesRead, kPageReadSize);
  ReadPage(fs_, 0, false, buffer);
  EXPECT_EQ(buffer.Text(7), "{\\rtf1 ");
}

}  // namespace
