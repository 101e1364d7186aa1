// Byte counts as the windows show them: rounded whole numbers in the largest unit.
#include <gtest/gtest.h>

#include "results/byte_size_text.h"

namespace trovex::results {
namespace {

TEST(FormatByteSize, UnitsAndRoundingAtTheirEdges) {
  EXPECT_EQ(FormatByteSize(0), "0B");
  EXPECT_EQ(FormatByteSize(1023), "1023B");
  EXPECT_EQ(FormatByteSize(1024), "1KB");
  EXPECT_EQ(FormatByteSize(1535), "1KB");
  EXPECT_EQ(FormatByteSize(1536), "2KB");  // a half rounds up
  EXPECT_EQ(FormatByteSize(10240), "10KB");
  EXPECT_EQ(FormatByteSize(1048575), "1024KB");
  EXPECT_EQ(FormatByteSize(1048576), "1MB");
  EXPECT_EQ(FormatByteSize(1024ull << 20), "1GB");
  EXPECT_EQ(FormatByteSize((1ull << 30) + (1ull << 29)), "2GB");
  EXPECT_EQ(FormatByteSize(1ull << 40), "1TB");
  EXPECT_EQ(FormatByteSize(1024ull << 40), "1024TB");
  EXPECT_EQ(FormatByteSize(~0ull), "16777216TB");
}

}  // namespace
}  // namespace trovex::results
