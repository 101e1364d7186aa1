// CP932 paths on Windows: the wide form for the file calls and the volume a path is on.
#include <gtest/gtest.h>

#include "platform/fs/sector_size.h"
#include "platform/fs/wide_path.h"

namespace trovex::fs {
namespace {

TEST(WinPaths, WidePathDecodesCp932AndRefusesInvalidBytes) {
  EXPECT_EQ(WidePath("C:\\表\\ｶﾅ.txt"), std::wstring(L"C:\\\u8868\\\uFF76\uFF85.txt"));
  EXPECT_EQ(WidePath(""), std::wstring());
  // A lead byte with no valid trail byte, in the middle and at the end.
  EXPECT_FALSE(WidePath("C:\\a\x81 b"));
  EXPECT_FALSE(WidePath("C:\\a\x81"));
}

TEST(WinPaths, VolumeKeyIsTheDriveRootOrTheShare) {
  EXPECT_EQ(VolumeKeyOf("C:\\dir\\file.txt"), "C:\\");
  EXPECT_EQ(VolumeKeyOf("\\\\srv\\share\\dir\\file.txt"), "\\\\srv\\share\\");
  EXPECT_EQ(VolumeKeyOf("\\\\srv\\share"), "\\\\srv\\share\\");
  // The trail byte 0x5C of "表" (95 5C) is no separator.
  EXPECT_EQ(VolumeKeyOf("\\\\srv\\表\\x"), "\\\\srv\\表\\");
  EXPECT_EQ(VolumeKeyOf("relative\\file.txt"), "");
}

}  // namespace
}  // namespace trovex::fs
