// The seek-penalty question on Windows: asked of a drive's volume, never of a share.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/fs/seek_penalty.h"

namespace trovex::fs {
namespace {

// A letter no drive uses here.
std::string FreeDriveLetter() {
  const DWORD used = GetLogicalDrives();
  for (int i = 25; i >= 3; --i) {
    if (!(used & (1u << i)))
      return std::string(1, static_cast<char>('A' + i)) + ":\\folder\\file.txt";
  }
  return {};
}

TEST(SeekPenalty, SharesAndDrivesThatDoNotExistHaveNoAnswer) {
  EXPECT_EQ(HasSeekPenalty("\\\\server\\share\\folder\\file.txt"), std::nullopt);
  EXPECT_EQ(HasSeekPenalty("relative\\file.txt"), std::nullopt);
  const std::string missing = FreeDriveLetter();
  ASSERT_FALSE(missing.empty());
  EXPECT_EQ(HasSeekPenalty(missing), std::nullopt);
}

}  // namespace
}  // namespace trovex::fs
