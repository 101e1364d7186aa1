// A hit and its line: the offset stays exact past 4 GiB, a mismatched hit is
// written "-1", and damaged offset texts read as they always did.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "search/hit_line.h"

using namespace trovex::search;

namespace {

Hit Read(std::string_view offsetText) {
  Hit hit{"x"};
  ReadHitOffset(offsetText, hit);
  return hit;
}

}  // namespace

TEST(Hit, ComesBackFromItsLineWhateverItsOffsetOrPath) {
  const Hit hits[] = {{"C:\\a.txt", 0},
                      {"C:\\big.bin", UINT64_C(6442450944)},  // 6 GiB
                      {"C:\\huge.bin", UINT64_MAX},
                      {"C:\\a=b\\c=d.txt", 7},
                      {"/gone.txt", 0, true}};
  for (const Hit& hit : hits) EXPECT_EQ(ParseHitLine(FormatHitLine(hit)), hit) << hit.path;
  EXPECT_EQ(FormatHitLine(hits[1]), "C:\\big.bin=6442450944");
  EXPECT_EQ(FormatHitLine(hits[4]), "/gone.txt=-1");
  // A mismatched hit's old offset is not written.
  EXPECT_EQ(HitOffsetText(Hit{"/a", 99, true}), "-1");
  EXPECT_FALSE(ParseHitLine("no separator"));
}

TEST(Hit, ANegativeOffsetIsMismatchedAndOtherTextsReadAsZero) {
  EXPECT_TRUE(Read("-1").mismatched);
  EXPECT_TRUE(Read("-25").mismatched);
  EXPECT_EQ(Read("18446744073709551615").offset, UINT64_MAX);
  for (const char* damaged : {"", "abc", "12a", "+5", " 5", "-0", "-", "18446744073709551616"}) {
    const Hit hit = Read(damaged);
    EXPECT_FALSE(hit.mismatched) << damaged;
    EXPECT_EQ(hit.offset, 0u) << damaged;
  }
  // Reading replaces what the hit held.
  Hit hit{"x", 5, true};
  ReadHitOffset("8", hit);
  EXPECT_EQ(hit, (Hit{"x", 8, false}));
}
