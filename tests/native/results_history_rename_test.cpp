// The text rules of renaming a history file in the history list.
#include <gtest/gtest.h>

#include <string>

#include "platform/fs/path_separator.h"
#include "results/history_rename.h"

using namespace trovex::results;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(HistoryRename, TheLastDotStartsAnExtensionUnlessAFolderOrDriveMarkFollowsIt) {
  EXPECT_EQ(WithoutTrailingExtension("final.old"), "final");
  EXPECT_EQ(WithoutTrailingExtension("a.b.c"), "a.b");
  EXPECT_EQ(WithoutTrailingExtension("name"), "name");
  EXPECT_EQ(WithoutTrailingExtension(".old"), "");
  EXPECT_EQ(WithoutTrailingExtension("trailing."), "trailing");
  EXPECT_EQ(WithoutTrailingExtension("a.b\\c"), "a.b\\c");
  EXPECT_EQ(WithoutTrailingExtension("a.b:c"), "a.b:c");
  EXPECT_EQ(WithoutTrailingExtension("a\\b.c"), "a\\b");
  EXPECT_EQ(WithoutTrailingExtension("x.y:z.txt"), "x.y:z");
  // "ソ" ends in the byte of "\": it is a character, not a folder mark.
  EXPECT_EQ(WithoutTrailingExtension("a.ソ"), "a");
  EXPECT_EQ(WithoutTrailingExtension("表.ソ表"), "表");
}

TEST(HistoryRename, EveryCharacterAFileNameCannotHoldBecomesItsFullWidthForm) {
  EXPECT_EQ(ReplaceFileNameCharacters("a:b?c"), "a：b？c");
  EXPECT_EQ(ReplaceFileNameCharacters(".\"/:;*<>?\\|"), "．”／：；＊＜＞？￥｜");
  EXPECT_EQ(ReplaceFileNameCharacters("a*b*c**"), "a＊b＊c＊＊");
  EXPECT_EQ(ReplaceFileNameCharacters("plain name"), "plain name");
  EXPECT_EQ(ReplaceFileNameCharacters(""), "");
}

// Trail bytes 0x5C and 0x7C stay, and a real "\" or "|" after them is still
// replaced: "ソ" is 83 5C, "ポ" 83 7C, "表" 95 5C, "￥" 81 8F, "｜" 81 62.
TEST(HistoryRename, TrailBytesStayAndEveryRealBackslashOrBarAfterThemIsReplaced) {
  EXPECT_EQ(ReplaceFileNameCharacters("ソ"), Bytes({0x83, 0x5C}));
  EXPECT_EQ(ReplaceFileNameCharacters("ポ"), Bytes({0x83, 0x7C}));
  EXPECT_EQ(ReplaceFileNameCharacters("ソ\\"), Bytes({0x83, 0x5C, 0x81, 0x8F}));
  EXPECT_EQ(ReplaceFileNameCharacters("ポ|"), Bytes({0x83, 0x7C, 0x81, 0x62}));
  EXPECT_EQ(ReplaceFileNameCharacters("\\ソ\\表\\"), "￥ソ￥表￥");
  EXPECT_EQ(ReplaceFileNameCharacters("|ポ|ポ|"), "｜ポ｜ポ｜");
  EXPECT_EQ(ReplaceFileNameCharacters("ソポ\\|"), "ソポ￥｜");
}

TEST(HistoryRename, TheNewBaseDropsTheExtensionFirstAndThenReplaces) {
  EXPECT_EQ(RenamedBase("final.old"), "final");
  EXPECT_EQ(RenamedBase("a:b?c"), "a：b？c");
  EXPECT_EQ(RenamedBase("v1.2.txt"), "v1．2");
  EXPECT_EQ(RenamedBase("x.y:z.txt"), "x．y：z");
  EXPECT_EQ(RenamedBase("dir.d\\ソ"), "dir．d￥ソ");
}

TEST(HistoryRename, ACaptionInOtherLetterCaseIsTheSameCaption) {
  EXPECT_TRUE(SameCaptionIgnoringCase("ABC", "abc"));
  EXPECT_TRUE(SameCaptionIgnoringCase("Final", "fINAL"));
  EXPECT_TRUE(SameCaptionIgnoringCase("ＡＢＣ", "ａｂｃ"));
  EXPECT_FALSE(SameCaptionIgnoringCase("abc", "abd"));
  EXPECT_FALSE(SameCaptionIgnoringCase("abc", "abc "));
  // "ア" is 83 41 and "ヂ" 83 61: a trail byte is no letter to lower.
  EXPECT_FALSE(SameCaptionIgnoringCase("ア", "ヂ"));
}

TEST(HistoryRename, TheRenamedFileStaysInItsFolderWithItsExtension) {
  const char s = trovex::fs::kPathSeparator;
  const std::string folder = std::string("data") + s + "user" + s;
  EXPECT_EQ(RenamedHistoryPath(folder + "20261207 125300.txd", "a：b？c"), folder + "a：b？c.txd");
  EXPECT_EQ(RenamedHistoryPath(folder + "old.TXD", "new"), folder + "new.txd");
  EXPECT_EQ(RenamedHistoryPath("bare.txd", "new"), "new.txd");
}
