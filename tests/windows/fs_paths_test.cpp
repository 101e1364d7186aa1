// CP932 paths on Windows: the wide form for the file calls.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace trovex::fs
