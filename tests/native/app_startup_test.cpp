#include <gtest/gtest.h>

#include "app/app_folders.h"
#include "app/os_level.h"
#include "platform/text/text_lines.h"

using namespace trovex::app;
using namespace trovex::text;

TEST(AppFolders, DerivedFromTheProgramPathAndUserName) {
  AppFolders f = ComputeAppFolders("C:\\Program Files\\Trovex\\Trovex.exe", "taro");
  EXPECT_EQ(f.ProgramDir, "C:\\Program Files\\Trovex\\");
  EXPECT_EQ(f.SharedDataDir, "C:\\Program Files\\Trovex\\data\\");
  EXPECT_EQ(f.UserDataDir, "C:\\Program Files\\Trovex\\data\\taro\\");
  EXPECT_EQ(f.ErrorLogPath, "C:\\Program Files\\Trovex\\data\\taro\\errlog.txt");
}

// "表" is 95 5C in CP932: its trail byte must not end the folder.
TEST(AppFolders, TrailByteBackslashIsNotADelimiter) {
  EXPECT_EQ(ExtractFilePath("C:\\表\\x.exe"), "C:\\表\\");
  EXPECT_EQ(ExtractFilePath("C:\\a\\表"), "C:\\a\\");
  EXPECT_EQ(ExtractFileName("C:\\a\\表"), "表");
  EXPECT_EQ(ExtractFilePath("D:Trovex.exe"), "D:");
  EXPECT_EQ(ExtractFilePath("Trovex.exe"), "");
}

TEST(OsLevel, ClassifiesVersions) {
  EXPECT_EQ(ClassifyOsLevel(false, 4, 10, false), 0);
  EXPECT_EQ(ClassifyOsLevel(false, 4, 90, false), 1);
  EXPECT_EQ(ClassifyOsLevel(false, 5, 90, false), 0);
  EXPECT_EQ(ClassifyOsLevel(true, 4, 0, false), 6);
  EXPECT_EQ(ClassifyOsLevel(true, 5, 0, false), 2);
  EXPECT_EQ(ClassifyOsLevel(true, 5, 2, false), 3);
  EXPECT_EQ(ClassifyOsLevel(true, 6, 0, false), 4);
  EXPECT_EQ(ClassifyOsLevel(true, 6, 3, false), 5);
  EXPECT_EQ(ClassifyOsLevel(true, 10, 0, false), 6);
  // The export lifts older-looking reports to 5 and leaves higher ones.
  EXPECT_EQ(ClassifyOsLevel(true, 5, 1, true), 5);
  EXPECT_EQ(ClassifyOsLevel(false, 4, 90, true), 5);
  EXPECT_EQ(ClassifyOsLevel(true, 10, 0, true), 6);
}

TEST(TextLines, EveryLineEndingSplitsAndCrLfJoins) {
  EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitTextLines("").empty());
  EXPECT_EQ(JoinLinesCrLf({"x\ny", ""}), "x\ny\r\n\r\n");
}

TEST(TextLines, TheReaderGivesViewsIntoTheTextAndLfCrIsTwoEndings) {
  const std::string text = "a\n\rb\r\r\nc";
  TextLineReader reader(text);
  std::vector<std::string> lines;
  for (std::string_view line; reader.Next(line);) {
    EXPECT_TRUE(line.empty() ||
                (line.data() >= text.data() && line.data() < text.data() + text.size()));
    lines.emplace_back(line);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b", "", "c"}));
  std::string_view line = "unchanged";
  EXPECT_FALSE(reader.Next(line));
  EXPECT_EQ(line, "unchanged");
}
