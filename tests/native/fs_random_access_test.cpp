// Reads of one open file at offsets in any order: each gives the file's own bytes
// there, however the previous read left the file's position.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/fs/random_access_file.h"
#include "platform/fs/read_at.h"
#include "temp_folder_test.h"

namespace trovex::fs {
namespace {

class RandomAccessTest : public testing::TempFolderTest {};

std::string Numbered(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
  return bytes;
}

TEST_F(RandomAccessTest, ReadsInAnyOrderGiveTheBytesAtTheirOffsets) {
  const std::string bytes = Numbered(70000);
  const std::string path = Write("f.bin", bytes);
  RandomAccessFile file;
  ASSERT_TRUE(file.Open(path));
  EXPECT_EQ(file.Size(), bytes.size());
  // Forwards, back, the same place twice, up to and past the end.
  const std::vector<std::pair<std::uint64_t, std::size_t>> reads = {
      {0, 3},     {3, 100},    {65536, 200}, {10, 50},    {10, 50},
      {69990, 5}, {69990, 50}, {70000, 10},  {80000, 10}, {1, 69999}};
  for (const auto& [offset, count] : reads) {
    const std::optional<std::string> got = ReadAt(file, offset, count);
    ASSERT_TRUE(got) << offset;
    const std::string expected =
        offset < bytes.size() ? bytes.substr(static_cast<std::size_t>(offset), count) : "";
    EXPECT_EQ(*got, expected) << "at " << offset << " for " << count;
  }
  // The path form opens, reads and closes the same way.
  EXPECT_EQ(ReadAt(path, 65530, 12), bytes.substr(65530, 12));
  EXPECT_FALSE(ReadAt(path + ".missing", 0, 1));
}

}  // namespace
}  // namespace trovex::fs
