#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/shell/drop_files.h"

using trovex::os_shell::BuildDropFiles;
using trovex::os_shell::BuildDropFilesFromCp932;

namespace {

// The block from hand-written byte values.
std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int value : values) out += static_cast<char>(value);
  return out;
}

// The 20-byte header every block starts with: list at 20, point (0, 0), not in the
// non-client area, wide names.
const std::string kHeader = Bytes({20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});

}  // namespace

TEST(ShellDropFiles, HeaderAndTerminators) {
  // No paths: the header and the one zero unit that ends the list.
  EXPECT_EQ(BuildDropFiles({}), kHeader + Bytes({0, 0}));
  // One path: its units, its own zero unit, then the final one.
  EXPECT_EQ(BuildDropFiles({u"C:\\a"}),
            kHeader + Bytes({'C', 0, ':', 0, '\\', 0, 'a', 0, 0, 0, 0, 0}));
  // Two paths keep their order, each with its terminator.
  EXPECT_EQ(BuildDropFiles({u"b", u"a"}), kHeader + Bytes({'b', 0, 0, 0, 'a', 0, 0, 0, 0, 0}));
}

TEST(ShellDropFiles, UnitsAreLittleEndian) {
  // U+8868 U+30BD and a unit above 0xFF00, low byte first.
  EXPECT_EQ(BuildDropFiles({u"\u8868\u30BD\uFF61"}),
            kHeader + Bytes({0x68, 0x88, 0xBD, 0x30, 0x61, 0xFF, 0, 0, 0, 0}));
}

TEST(ShellDropFiles, Cp932PathsBecomeUtf16) {
  // "表ソ" is 95 5C 83 5C in CP932: the trail bytes 0x5C must not turn into
  // backslashes; the half-width katakana byte A1 is U+FF61.
  const std::vector<std::string> paths = {"C:\\表ソ", std::string("\xA1")};
  std::size_t skipped = 99;
  EXPECT_EQ(BuildDropFilesFromCp932(paths, &skipped),
            kHeader + Bytes({'C', 0, ':', 0, '\\', 0, 0x68, 0x88, 0xBD, 0x30, 0, 0,  //
                             0x61, 0xFF, 0, 0,                                       //
                             0, 0}));
  EXPECT_EQ(skipped, 0u);
}

TEST(ShellDropFiles, PathsThatWouldBreakTheListAreLeftOut) {
  // A lead byte without a trail byte is no CP932 text; an empty path or one with a
  // zero unit would end the list early. The others stay, in order.
  std::size_t skipped = 0;
  const std::vector<std::string> paths = {"a", std::string("\x81"), "", std::string("x\0y", 3),
                                          "b"};
  EXPECT_EQ(BuildDropFilesFromCp932(paths, &skipped),
            kHeader + Bytes({'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}));
  EXPECT_EQ(skipped, 3u);

  skipped = 0;
  EXPECT_EQ(BuildDropFiles({u"", u"c"}, &skipped), kHeader + Bytes({'c', 0, 0, 0, 0, 0}));
  EXPECT_EQ(skipped, 1u);
}
