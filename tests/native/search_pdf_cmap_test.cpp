// The CMap programs of PDF fonts: code spaces of mixed lengths, the Unicode text of
// codes (bfchar, bfrange counting up or from an array, surrogate pairs), CIDs and
// a map named by /UseCMap, and damage that must stay bounded.
#include <gtest/gtest.h>

#include <string>

#include "search/pdf_cmap.h"

using trovex::search::pdf::CMap;

TEST(PdfCMap, CodeSpacesTextsAndCids) {
  CMap map;
  map.Parse(
      "1 begincodespacerange <00><80> endcodespacerange\n"
      "1 begincodespacerange <8140><9FFC> endcodespacerange\n"
      "2 beginbfrange <8140><8142><3000> <8143><8144>[<FF0C> <D83DDE00>] endbfrange\n"
      "1 beginbfchar <41><0041> endbfchar\n"
      "1 begincidrange <8140><817E> 633 endcidrange\n"
      "1 begincidchar <8141> 1 endcidchar\n");
  // One- and two-byte codes as the code space says; a code outside it takes the
  // fallback length, cut at the end of the bytes.
  const std::string bytes = "A\x81\x40";
  EXPECT_EQ(map.CodeLength(bytes, 0, 2), 1u);
  EXPECT_EQ(map.CodeLength(bytes, 1, 1), 2u);
  EXPECT_EQ(map.CodeLength("\xE0\x40", 0, 2), 2u);
  EXPECT_EQ(map.CodeLength("\xE0", 0, 2), 1u);

  ASSERT_NE(map.Text(0x8142, 2), nullptr);
  EXPECT_EQ(*map.Text(0x8142, 2), u"\u3002");  // the last unit counts up along the range
  ASSERT_NE(map.Text(0x8144, 2), nullptr);
  EXPECT_EQ(*map.Text(0x8144, 2), u"\U0001F600");
  EXPECT_EQ(map.Text(0x8145, 2), nullptr);
  EXPECT_EQ(map.Text(0x41, 2), nullptr);  // a code is its bytes and their count
  EXPECT_EQ(*map.Text(0x41, 1), u"A");

  EXPECT_EQ(map.Cid(0x8141, 2), 1);  // a later range overrides an earlier one
  EXPECT_EQ(map.Cid(0x8142, 2), 635);
  EXPECT_EQ(map.Cid(0x817F, 2), -1);

  // A used map fills in only what this one lacks.
  CMap base;
  base.Parse("2 beginbfchar <42><0062> <41><0058> endbfchar 1 begincidchar <42> 7 endcidchar");
  map.Use(base);
  EXPECT_EQ(*map.Text(0x42, 1), u"b");
  EXPECT_EQ(*map.Text(0x41, 1), u"A");
  EXPECT_EQ(map.Cid(0x42, 1), 7);
  EXPECT_EQ(map.Cid(0x8141, 2), 1);
}

TEST(PdfCMap, DamagedRangesArePassedOver) {
  CMap map;
  // Over every four-byte code, backwards, of mixed lengths, and an array too short.
  map.Parse(
      "4 beginbfrange <00000000><FFFFFFFF><0041> <0005><0001><0041> <01><0001><0041>\n"
      "<0010><0013>[<0061>] endbfrange\n"
      "1 begincodespacerange <00><FF><0000> endcodespacerange\n");
  ASSERT_NE(map.Text(0x10, 2), nullptr);
  EXPECT_EQ(*map.Text(0x10, 2), u"a");
  EXPECT_EQ(map.Text(0x11, 2), nullptr);
  EXPECT_EQ(map.Text(0x0, 4), nullptr);
  EXPECT_EQ(map.Text(0x5, 2), nullptr);
  EXPECT_EQ(map.Text(0x1, 1), nullptr);
  EXPECT_TRUE(map.HasCodeSpace());  // the well-formed pair counts, the odd one does not
  EXPECT_EQ(map.CodeLength("\x20\x20", 0, 2), 1u);
}
