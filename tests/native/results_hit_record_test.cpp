// The row of a result window: size and date texts, the fallbacks of its name and
// type, and the path helpers of its commands.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs/date_time.h"
#include "platform/fs/path_separator.h"
#include "results/hit_record.h"
#include "results/shell_answer_cache.h"
#include "search/hit_line.h"

using namespace trovex;
using namespace trovex::results;

namespace {

std::string P(const std::string& slashPath) {
  std::string path = slashPath;
  for (char& c : path) {
    if (c == '/') c = fs::kPathSeparator;
  }
  return path;
}

// The hit of `path` with an offset as a hit line writes it.
search::Hit HitAt(const std::string& path, std::string_view offsetText) {
  search::Hit hit{path};
  search::ReadHitOffset(offsetText, hit);
  return hit;
}

// An offset text as a row reads it, as a number: -1 for a mismatched hit.
std::int64_t OffsetValue(std::string_view offsetText) {
  const search::Hit hit = HitAt("", offsetText);
  return hit.mismatched ? -1 : static_cast<std::int64_t>(hit.offset);
}

TEST(ResultsByteSize, ReadsBackAsTheNumberItStandsFor) {
  EXPECT_EQ(SizeTextValue(""), 0);
  EXPECT_EQ(SizeTextValue("999B"), 999);
  EXPECT_EQ(SizeTextValue("2KB"), 2048);
  EXPECT_EQ(SizeTextValue("3MB"), 3.0 * 1048576);
  EXPECT_EQ(SizeTextValue("4GB"), 4.0 * 1073741824);
  EXPECT_EQ(SizeTextValue("5TB"), 5.0 * 1099511627776.0);
  EXPECT_LT(SizeTextValue("999B"), SizeTextValue("2KB"));
  EXPECT_LT(SizeTextValue("1024KB"), SizeTextValue("2MB"));
  // Every formatted size reads back no further than half a unit from the count.
  for (std::uint64_t bytes : {0ull, 700ull, 1536ull, 5000000ull, 7ull << 33}) {
    const double back = SizeTextValue(FormatByteSize(bytes));
    const double unit = bytes < 1024        ? 1
                        : bytes < (1 << 20) ? 1024
                        : bytes < (1 << 30) ? 1048576
                                            : 1073741824.0;
    EXPECT_LE(std::abs(back - static_cast<double>(bytes)), unit / 2) << bytes;
  }
}

TEST(ResultsModifiedTime, ShowsYearToMinuteInLocalTime) {
  EXPECT_EQ(FormatModifiedTime(fs::EncodeDateTime(2006, 8, 23, 9, 49, 5)), "2006/08/23 09:49");
  EXPECT_EQ(FormatModifiedTime(fs::EncodeDateTime(1999, 12, 31, 23, 59, 59, 900)),
            "1999/12/31 23:59");
  EXPECT_EQ(FormatModifiedTime(fs::EncodeDateTime(2024, 2, 29, 0, 0, 0)), "2024/02/29 00:00");
}

TEST(ResultsOffset, ReadsSixtyFourBitOffsetsAndZeroForOtherTexts) {
  EXPECT_EQ(OffsetValue("0"), 0);
  EXPECT_EQ(OffsetValue("-1"), -1);
  EXPECT_EQ(OffsetValue("4294967296"), INT64_C(4294967296));
  EXPECT_EQ(OffsetValue("6442450944"), INT64_C(6442450944));
  EXPECT_EQ(OffsetValue(""), 0);
  EXPECT_EQ(OffsetValue("12a"), 0);
  EXPECT_EQ(OffsetValue("abc"), 0);
}

class ResultsHitRecord : public ::testing::Test {
 protected:
  fs::FileFacts Facts(std::uint64_t size) {
    fs::FileFacts facts;
    facts.size = size;
    facts.lastWriteTime = fs::EncodeDateTime(2023, 5, 6, 7, 8, 9);
    return facts;
  }
};

TEST_F(ResultsHitRecord, TakesTheShellsNamesAndTheFileFacts) {
  const HitRecord row = MakeHitRecord(HitAt(P("/d/a.txt"), "12"), {"a.txt", "テキスト文書", 7},
                                      Facts(1536), "snippet");
  EXPECT_EQ(row.fileName, "a.txt");
  EXPECT_EQ(row.typeName, "テキスト文書");
  EXPECT_EQ(row.sizeText, "2KB");
  EXPECT_EQ(row.modifiedText, "2023/05/06 07:08");
  EXPECT_EQ(row.content, "snippet");
  EXPECT_EQ(row.path, P("/d/a.txt"));
  EXPECT_EQ(search::HitOffsetText(row), "12");
  EXPECT_EQ(row.iconIndex, 7);
}

TEST_F(ResultsHitRecord, FallsBackToTheFileNameAndTheExtensionsType) {
  const HitRecord row =
      MakeHitRecord(HitAt(P("/d/e/notes.xyz"), "0"), {"", "", 3}, Facts(1023), "");
  EXPECT_EQ(row.fileName, "notes.xyz");
  EXPECT_EQ(row.typeName, "xyz ファイル");
  EXPECT_EQ(row.sizeText, "1023B");
  EXPECT_EQ(row.iconIndex, -1);  // the shell knew nothing: no icon

  const HitRecord bare = MakeHitRecord(HitAt(P("/d/README"), "0"), {}, Facts(5), "");
  EXPECT_EQ(bare.typeName, "ファイル");
}

TEST_F(ResultsHitRecord, AMissingFileSaysSoAndHasNoTypeSizeOrDate) {
  const HitRecord row =
      MakeHitRecord(HitAt(P("/d/gone.txt"), "5"), {"", "テキスト文書", 2}, std::nullopt, "");
  EXPECT_EQ(row.fileName, kMissingFileName);
  EXPECT_EQ(row.fileName, "存在しないファイル");
  EXPECT_EQ(row.typeName, "");
  EXPECT_EQ(row.sizeText, "");
  EXPECT_EQ(row.modifiedText, "");
  EXPECT_EQ(search::HitOffsetText(row), "5");
}

TEST_F(ResultsHitRecord, AnUnreadableTimeLeavesTheDateEmpty) {
  fs::FileFacts facts = Facts(10);
  facts.lastWriteTime.reset();
  const HitRecord row = MakeHitRecord(HitAt(P("/d/a.log"), "0"), {}, facts, "");
  EXPECT_EQ(row.modifiedText, "");
  EXPECT_EQ(row.sizeText, "10B");
}

TEST(ResultsPaths, FolderOfAPathKeepsOnlyARootsSeparator) {
  EXPECT_EQ(FolderOfPath(P("/a/b/c.txt")), P("/a/b"));
  EXPECT_EQ(FileNamePart(P("/a/b/c.txt")), "c.txt");
  EXPECT_EQ(FolderOfPath("name.txt"), "");
#ifdef _WIN32
  EXPECT_EQ(FolderOfPath("C:\\a.txt"), "C:\\");
  EXPECT_EQ(FolderOfPath("C:\\x\\a.txt"), "C:\\x");
  // 表 ends in the byte of a backslash: it is no separator.
  EXPECT_EQ(FolderOfPath("C:\\表\\a.txt"), "C:\\表");
  EXPECT_EQ(FileNamePart("C:\\d\\表"), "表");
#else
  EXPECT_EQ(FolderOfPath("/a.txt"), "/");
#endif
}

}  // namespace

namespace {

// The shell is asked once per kind of file; files with icons of their own each time.
class ResultsShellAnswers : public ::testing::Test {
 protected:
  ShellAnswerCache cache_{[this](const std::string& path) {
    asked_.push_back(path);
    const std::string name(FileNamePart(path));
    if (name.find(".unknown") != std::string::npos) return ShellAnswer{};
    const bool hide = name.find(".hid") != std::string::npos;
    return ShellAnswer{hide ? name.substr(0, name.rfind('.')) : name, "kind of " + name, 4};
  }};
  std::vector<std::string> asked_;
};

TEST_F(ResultsShellAnswers, OneAnswerServesEveryFileWithTheSameExtension) {
  const ShellAnswer first = cache_.For(P("/d/a.txt"));
  const ShellAnswer second = cache_.For(P("/e/B.TXT"));
  EXPECT_EQ(asked_.size(), 1u);
  EXPECT_EQ(first.displayName, "a.txt");
  EXPECT_EQ(second.displayName, "B.TXT");
  EXPECT_EQ(second.typeName, "kind of a.txt");
  EXPECT_EQ(second.iconIndex, 4);
  cache_.For(P("/d/c.log"));
  EXPECT_EQ(asked_.size(), 2u);
  EXPECT_EQ(cache_.QueriesMade(), 2u);
}

TEST_F(ResultsShellAnswers, AHiddenExtensionStaysHiddenAndAnUnknownKindStaysUnknown) {
  cache_.For(P("/d/a.hid"));
  EXPECT_EQ(cache_.For(P("/d/report.hid")).displayName, "report");
  cache_.For(P("/d/x.unknown"));
  const ShellAnswer unknown = cache_.For(P("/d/y.unknown"));
  EXPECT_EQ(unknown.displayName, "");
  EXPECT_EQ(unknown.typeName, "");
  EXPECT_EQ(asked_.size(), 2u);
}

TEST_F(ResultsShellAnswers, ProgramsShortcutsAndIconsAreAskedAboutOneByOne) {
  EXPECT_TRUE(ShellNamesEachFile("setup.EXE"));
  EXPECT_TRUE(ShellNamesEachFile("link.lnk"));
  EXPECT_FALSE(ShellNamesEachFile("a.txt"));
  EXPECT_FALSE(ShellNamesEachFile("exe"));
  cache_.For(P("/d/a.exe"));
  cache_.For(P("/d/b.exe"));
  cache_.For(P("/d/c.ico"));
  EXPECT_EQ(asked_.size(), 3u);
}

}  // namespace
