#include <gtest/gtest.h>

#include "platform/fs/date_time.h"
#include "search/file_selection.h"
#include "search/hit_line.h"
#include "search/name_terms.h"

using namespace trovex;
using namespace trovex::search;

namespace {

fs::DirEntry FileEntry(const std::string& name, std::uint64_t size, double modified = 40000) {
  fs::DirEntry entry;
  entry.name = name;
  entry.size = size;
  entry.lastWriteTime = modified;
  return entry;
}

SearchConditions OpenPanel() {
  SearchConditions conditions;
  conditions.optionsOpen = true;
  conditions.searchText = "x";
  return conditions;
}

}  // namespace

TEST(HitLine, SplitsAtTheLastEqualsSign) {
  const std::string line = MakeHitLine("C:\\a=b\\c=d.txt", 123456789012LL);
  EXPECT_EQ(line, "C:\\a=b\\c=d.txt=123456789012");
  const auto parts = SplitHitLine(line);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->path, "C:\\a=b\\c=d.txt");
  EXPECT_EQ(parts->offsetText, "123456789012");
  EXPECT_EQ(SplitHitLine("x.txt=-1")->offsetText, "-1");
  EXPECT_FALSE(SplitHitLine("no separator"));
}

TEST(DateTime, EncodesDaysSince18991230) {
  EXPECT_EQ(fs::EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(fs::EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(fs::EncodeDate(2006, 8, 23), 38952.0);
  EXPECT_NEAR(fs::EncodeDateTime(2006, 8, 23, 9, 49, 5), kDatePickerInitialValue, 1.0 / 86400);
  const fs::CalendarDate d = fs::DecodeDate(fs::EncodeDateTime(2024, 2, 29, 23, 59, 59));
  EXPECT_EQ(d.year, 2024);
  EXPECT_EQ(d.month, 2);
  EXPECT_EQ(d.day, 29);
  EXPECT_EQ(fs::DecodeDate(-0.5).day, 29);  // half a day before the epoch is 1899-12-29
}

TEST(NameTerms, SplitTrimAndCase) {
  EXPECT_EQ(BuildNameTerms("Txt/DOC", false), (std::vector<std::string>{"txt", "doc"}));
  EXPECT_EQ(BuildNameTerms("Txt/DOC", true), (std::vector<std::string>{"Txt", "DOC"}));
  // The whole text is trimmed, not each term.
  EXPECT_EQ(BuildNameTerms("  a/ b \t", true), (std::vector<std::string>{"a", " b"}));
  EXPECT_EQ(BuildNameTerms("a//b", true), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(BuildNameTerms("   ", true).empty());
}

TEST(NameTerms, NameMatchesSubstringsCaseAndExclusion) {
  SearchConditions c;
  EXPECT_TRUE(NameMatches(c, "anything"));
  c.nameTerms = {"txt", "doc"};
  EXPECT_TRUE(NameMatches(c, "a.txt"));
  EXPECT_TRUE(NameMatches(c, "txtfile.bin"));  // no wildcards: plain substrings
  EXPECT_TRUE(NameMatches(c, "REPORT.DOC"));   // name lower-cased first
  EXPECT_FALSE(NameMatches(c, "a.xls"));
  c.nameCaseSensitive = true;
  EXPECT_FALSE(NameMatches(c, "REPORT.DOC"));
  c.excludeNames = true;
  EXPECT_TRUE(NameMatches(c, "REPORT.DOC"));
  EXPECT_FALSE(NameMatches(c, "a.txt"));
  // An empty term never occurs.
  c = SearchConditions{};
  c.nameTerms = {""};
  EXPECT_FALSE(NameMatches(c, "a.txt"));
}

#ifndef _WIN32
// POSIX file names are UTF-8: they are lowered as UTF-8, never taken for CP932.
std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

TEST(NameTerms, Utf8NamesLowerAsUtf8) {
  SearchConditions c;
  const std::string typed = U8(u8"ΑΒΓ/ДОМ/ＡＢ");
  const std::string name = U8(u8"Report-ΑΒΓ.txt");
  c.nameTerms = BuildNameTerms(typed, false);
  EXPECT_EQ(c.nameTerms, (std::vector<std::string>{U8(u8"αβγ"), U8(u8"дом"), U8(u8"ａｂ")}));
  EXPECT_TRUE(NameMatches(c, name));
  // 0xE3 0x81 0x82 ("あ") would swallow the next byte if read as CP932.
  c.nameTerms = BuildNameTerms(U8(u8"あ/b"), true);
  EXPECT_EQ(c.nameTerms, (std::vector<std::string>{U8(u8"あ"), "b"}));
}
#endif

TEST(FileSelection, AttributesAndShortcuts) {
  SearchConditions c;
  fs::DirEntry hidden = FileEntry("h", 1);
  hidden.isHidden = true;
  fs::DirEntry system = FileEntry("s", 1);
  system.isSystem = true;
  EXPECT_FALSE(PassesAttributeTests(c, hidden));
  EXPECT_FALSE(PassesAttributeTests(c, system));
  c.includeHidden = true;
  EXPECT_TRUE(PassesAttributeTests(c, hidden));
  EXPECT_FALSE(PassesAttributeTests(c, system));
  c.includeSystem = true;
  EXPECT_TRUE(PassesAttributeTests(c, system));

  EXPECT_TRUE(IsShortcutName("a.lnk"));
  EXPECT_TRUE(IsShortcutName("site.url"));
  EXPECT_FALSE(IsShortcutName("A.LNK"));
  EXPECT_FALSE(IsShortcutName("a.Url"));
  EXPECT_FALSE(IsShortcutName("a.lnk.txt"));
  EXPECT_FALSE(IsShortcutName("lnk"));
}

TEST(FileSelection, PanelClosedIgnoresNameSizeAndDate) {
  SearchConditions c;
  c.searchText = "";
  c.nameTerms = {"zzz"};
  c.sizeFilterOn = true;
  c.sizeLimit = 1;
  c.dateFilterOn = true;
  c.yearText = "1990";
  EXPECT_EQ(SelectFile(c, FileEntry("a.txt", 0)), FileAction::Search);
  EXPECT_EQ(SelectFile(c, FileEntry("a.txt", 5000)), FileAction::Search);
  c.optionsOpen = true;
  EXPECT_EQ(SelectFile(c, FileEntry("a.txt", 0)), FileAction::CountOnly);
}

TEST(FileSelection, EmptyTextListsWithoutSearching) {
  SearchConditions c = OpenPanel();
  c.searchText.clear();
  EXPECT_EQ(SelectFile(c, FileEntry("a.txt", 0)), FileAction::ListOnly);
  c.nameTerms = {"doc"};
  EXPECT_EQ(SelectFile(c, FileEntry("a.txt", 10)), FileAction::CountOnly);
  EXPECT_EQ(SelectFile(c, FileEntry("a.doc", 10)), FileAction::ListOnly);
}

TEST(FileSelection, SizeBoundIsInclusive) {
  SearchConditions c = OpenPanel();
  c.sizeFilterOn = true;
  c.sizeLimit = ComputeSizeLimit(10, SizeUnit::KB);
  EXPECT_EQ(c.sizeLimit, 10240u);
  EXPECT_EQ(SelectFile(c, FileEntry("a", 10240)), FileAction::Search);
  EXPECT_EQ(SelectFile(c, FileEntry("a", 10241)), FileAction::CountOnly);
  c.sizeAtLeast = true;
  EXPECT_EQ(SelectFile(c, FileEntry("a", 10240)), FileAction::Search);
  EXPECT_EQ(SelectFile(c, FileEntry("a", 10239)), FileAction::CountOnly);
  // At most 1 B: an empty file is listed unread, a 1-byte file is searched.
  c.sizeAtLeast = false;
  c.sizeLimit = ComputeSizeLimit(1, SizeUnit::B);
  EXPECT_EQ(SelectFile(c, FileEntry("a", 0)), FileAction::ListOnly);
  EXPECT_EQ(SelectFile(c, FileEntry("a", 1)), FileAction::Search);
  EXPECT_EQ(SelectFile(c, FileEntry("a", 2)), FileAction::CountOnly);
  EXPECT_EQ(ComputeSizeLimit(1024, SizeUnit::GB), 1099511627776ull);
}

// The unit box's index: no item chosen, or one beyond its items, counts bytes.
TEST(FileSelection, SizeUnitOfAnIndex) {
  EXPECT_EQ(SizeUnitFromIndex(0), SizeUnit::B);
  EXPECT_EQ(SizeUnitFromIndex(2), SizeUnit::MB);
  EXPECT_EQ(SizeUnitFromIndex(3), SizeUnit::GB);
  EXPECT_EQ(SizeUnitFromIndex(-1), SizeUnit::B);
  EXPECT_EQ(SizeUnitFromIndex(4), SizeUnit::B);
}

TEST(FileSelection, YearAndExclusion) {
  SearchConditions c = OpenPanel();
  c.dateFilterOn = true;
  c.yearText = "2024";
  const double in2024 = fs::EncodeDateTime(2024, 12, 31, 23, 59, 59);
  const double in2023 = fs::EncodeDateTime(2023, 6, 1, 0, 0, 0);
  EXPECT_EQ(SelectFile(c, FileEntry("a", 1, in2024)), FileAction::Search);
  EXPECT_EQ(SelectFile(c, FileEntry("a", 1, in2023)), FileAction::CountOnly);
  c.excludeDates = true;
  EXPECT_EQ(SelectFile(c, FileEntry("a", 1, in2024)), FileAction::CountOnly);
  EXPECT_EQ(SelectFile(c, FileEntry("a", 1, in2023)), FileAction::Search);
  // A year that does not read as a number is year 0: nothing is in it.
  c.excludeDates = false;
  c.yearText = "20x4";
  EXPECT_EQ(SelectFile(c, FileEntry("a", 1, in2024)), FileAction::CountOnly);
}

TEST(FileSelection, DateRangeHoldsWholeDaysWhateverThePickersTimeOfDay) {
  SearchConditions c = OpenPanel();
  c.dateFilterOn = true;
  const double timeOfDay = kDatePickerInitialValue - 38952;  // 09:49:05
  c.dateFrom = fs::EncodeDate(2024, 1, 1) + timeOfDay;
  c.dateTo = fs::EncodeDate(2024, 1, 31) + timeOfDay;
  const auto at = [&](int y, int m, int d, int h, int mi, int s) {
    return SelectFile(c, FileEntry("a", 1, fs::EncodeDateTime(y, m, d, h, mi, s)));
  };
  // After the pickers' time on the last day, before it on the first: inside.
  EXPECT_EQ(at(2024, 1, 31, 10, 0, 0), FileAction::Search);
  EXPECT_EQ(at(2024, 1, 31, 23, 59, 59), FileAction::Search);
  EXPECT_EQ(at(2024, 1, 1, 0, 0, 0), FileAction::Search);
  EXPECT_EQ(at(2024, 1, 1, 9, 0, 0), FileAction::Search);
  EXPECT_EQ(at(2024, 1, 15, 12, 0, 0), FileAction::Search);
  // The days either side: outside.
  EXPECT_EQ(at(2023, 12, 31, 23, 59, 59), FileAction::CountOnly);
  EXPECT_EQ(at(2024, 2, 1, 0, 0, 0), FileAction::CountOnly);
  c.excludeDates = true;
  EXPECT_EQ(at(2024, 1, 31, 23, 59, 59), FileAction::CountOnly);
  EXPECT_EQ(at(2024, 2, 1, 0, 0, 0), FileAction::Search);
  // A one-day range holds that whole day.
  c.excludeDates = false;
  c.dateFrom = c.dateTo = fs::EncodeDate(2024, 3, 5) + timeOfDay;
  EXPECT_EQ(at(2024, 3, 5, 0, 0, 1), FileAction::Search);
  EXPECT_EQ(at(2024, 3, 5, 23, 0, 0), FileAction::Search);
  EXPECT_EQ(at(2024, 3, 6, 0, 0, 0), FileAction::CountOnly);
  EXPECT_EQ(at(2024, 3, 4, 23, 59, 59), FileAction::CountOnly);
}

TEST(SizeNumber, TypedTextsAreKeptWithinOneTo1024) {
  EXPECT_EQ(SizeNumberFromText("10"), 10);
  EXPECT_EQ(SizeNumberFromText("1"), 1);
  EXPECT_EQ(SizeNumberFromText("1024"), 1024);
  EXPECT_EQ(SizeNumberFromText("010"), 10);
  EXPECT_EQ(SizeNumberFromText("1025"), 1024);
  EXPECT_EQ(SizeNumberFromText("99999999999999999999"), 1024);
  EXPECT_EQ(SizeNumberFromText("0"), 1);
  EXPECT_EQ(SizeNumberFromText("0000"), 1);
  EXPECT_EQ(SizeNumberFromText(""), 1);
  EXPECT_EQ(SizeNumberFromText("1x"), 1);
  EXPECT_EQ(SizeNumberFromText("-5"), 1);
}
