#include <gtest/gtest.h>

#include "results/ini_text.h"

using namespace trovex::results;

namespace {

// Each section as "[name]" followed by its "key=value" entries, one string.
std::vector<std::string> Dump(const IniText& ini) {
  std::vector<std::string> out;
  for (const IniSection& section : ini.Sections()) {
    std::string text = "[" + section.Name() + "]";
    for (const IniEntry& entry : section.Entries()) text += " " + entry.key + "=" + entry.value;
    out.push_back(text);
  }
  return out;
}

}  // namespace

TEST(IniText, ReadingRulesIgnoreCommentsBlanksAndLinesBeforeTheFirstSection) {
  const IniText ini = IniText::Parse(
      "lost=1\r\n;comment\r\n[one]\r\n;k=comment\r\n\r\na=1\r\nno equals sign\r\n"
      " b = 2 \r\nc==3=\r\n=empty key\r\n[]\r\nx=\r\n");
  EXPECT_EQ(Dump(ini), (std::vector<std::string>{"[one] a=1  b = 2  c==3= =empty key", "[] x="}));
  // Keys end at their first "=", nothing is trimmed.
  ASSERT_NE(ini.Find("one"), nullptr);
  EXPECT_EQ(*ini.Find("one")->Find(" b "), " 2 ");
  EXPECT_EQ(*ini.Find("one")->Find("c"), "=3=");
  EXPECT_EQ(ini.Find("one")->Find("b"), nullptr);
  EXPECT_EQ(ini.Find("two"), nullptr);
}

TEST(IniText, SectionsAndKeysMergeIgnoringCaseKeepingTheFirstSpelling) {
  // "ＡＢ" and "ａｂ" are full-width capitals and their lower case; the trail
  // bytes "Z" and "z" of two katakana are no letters and keep them apart.
  const IniText ini = IniText::Parse(
      "[Folder]\nKey=1\nOther=x\r[FOLDER]\nkey=2\n[\x82\x60\x82\x61]\nA=1\n[\x82\x81\x82\x82]\na="
      "2\n"
      "[\x83\x5A]\nk=1\n[\x83\x7A]\nk=2\n");
  EXPECT_EQ(Dump(ini), (std::vector<std::string>{"[Folder] Key=2 Other=x", "[\x82\x60\x82\x61] A=2",
                                                 "[\x83\x5A] k=1", "[\x83\x7A] k=2"}));
  ASSERT_NE(ini.Find("fOLDER"), nullptr);
  EXPECT_EQ(*ini.Find("fOLDER")->Find("KEY"), "2");
}

TEST(IniText, WrittenWithCrLfAndAnEmptyLineAfterEachSection) {
  IniText ini;
  IniSection& first = ini.Section("b");
  first.Set("z", "1");
  first.Set("a", "2");
  ini.Section("a").Set("k", "v");
  ini.Section("B").Set("Z", "3");  // replaced in place, first spelling kept
  const std::string text = ini.ToText();
  EXPECT_EQ(text, "[b]\r\nz=3\r\na=2\r\n\r\n[a]\r\nk=v\r\n\r\n");
  EXPECT_EQ(IniText::Parse(text).ToText(), text);
  EXPECT_EQ(IniText().ToText(), "");
}

TEST(IniText, PathSectionsKeepSemicolonsSplitAtTheLastEqualsAndStandApartFromTheFirst) {
  const IniDialect paths{.firstSectionApart = true};
  const IniText ini = IniText::Parse(
      "[Name]\r\n;comment=1\r\nk=a=b\r\n[name]\r\n;semi=1\r\na=b.txt=7\r\n[NAME]\r\nc=3\r\n",
      paths);
  EXPECT_EQ(Dump(ini), (std::vector<std::string>{"[Name] k=a=b", "[name] ;semi=1 a=b.txt=7 c=3"}));
  EXPECT_EQ(*ini.Sections()[1].Find("a=b.txt"), "7");

  IniText written(paths);
  written.Section("abc").Set("frg", "0");
  written.Section("ABC").Set(";x", "1");
  written.Section("abc").Set("y", "2");
  EXPECT_EQ(written.ToText(), "[abc]\r\nfrg=0\r\n\r\n[ABC]\r\n;x=1\r\ny=2\r\n\r\n");
  EXPECT_EQ(IniText::Parse(written.ToText(), paths).ToText(), written.ToText());
}
