// The error log's texts and file: an entry's bytes, the file's form and its
// reload, the viewer's text and status line, and the write at exit.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "platform/fs/read_at.h"
#include "results/error_log.h"
#include "results/error_log_file.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::results;
using trovex::testing::WalkTestTree;
using Lines = std::vector<std::string>;

namespace {

const std::string kFirst = "[2026/12/07 12:34:56]";
const std::string kRefused = "他のアプリケーションの要求によりシャットダウンが中止されました。";

}  // namespace

TEST(ErrorLogText, AnEntryIsTheBracketLineALoneLfAndTheMessageAfterOneBlank) {
  EXPECT_EQ(ErrorLogEntry("2026/12/07 12:34:56", "OpenProcessToken Error"),
            "[2026/12/07 12:34:56]\n OpenProcessToken Error");
  EXPECT_EQ(ErrorLogEntry("2026/12/07 12:34:56", kRefused), kFirst + "\n " + kRefused);
}

// An entry of this run is one item with its own LF; written and read back it
// becomes two items, and the bytes of a reloaded log do not change on the next write.
TEST(ErrorLogText, FileFormAndReloadIntoTwoItems) {
  const Lines run = {ErrorLogEntry("2026/12/07 12:34:56", "LookupPrivilegeValue Error")};
  const std::string file = ErrorLogFileText(run);
  EXPECT_EQ(file, kFirst + "\n LookupPrivilegeValue Error\r\n");
  const Lines reloaded = ErrorLogListOfText(file);
  EXPECT_EQ(reloaded, (Lines{kFirst, " LookupPrivilegeValue Error"}));
  EXPECT_EQ(ErrorLogFileText(reloaded), kFirst + "\r\n LookupPrivilegeValue Error\r\n");

  // Whatever ended the lines (an older file, an editor), each line is one item.
  EXPECT_EQ(ErrorLogListOfText("a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(ErrorLogListOfText("a\r\n\r\nb\n\n"), (Lines{"a", "", "b", ""}));
  EXPECT_TRUE(ErrorLogListOfText("").empty());
  EXPECT_EQ(ErrorLogFileText({}), "");
}

// The viewer breaks every line with CR LF, whatever ended it in the list; an
// empty item stays an empty line.
TEST(ErrorLogText, ViewTextEndsEveryLineWithCrLf) {
  const Lines list = {kFirst, " reloaded", "[2026/12/08 01:02:03]\n added", "", "lone\rcr"};
  EXPECT_EQ(ErrorLogViewText(list),
            kFirst + "\r\n reloaded\r\n[2026/12/08 01:02:03]\r\n added\r\n\r\nlone\r\ncr\r\n");
  EXPECT_EQ(ErrorLogViewText({}), "");
  // The viewer's text read back is the same log, each entry as two items.
  EXPECT_EQ(ErrorLogListOfText(ErrorLogViewText(list)),
            (Lines{kFirst, " reloaded", "[2026/12/08 01:02:03]", " added", "", "lone", "cr"}));
}

TEST(ErrorLogText, StatusLineCountsEntriesAndTheSizeOfTheText) {
  // Two entries of 30 and 40 bytes with their line ends.
  const std::string first = "[2026/12/07 12:34:56]\r\n abcd\r\n";
  const std::string second = "[2026/12/07 12:34:57]\r\n abcdefghijklmn\r\n";
  ASSERT_EQ(first.size(), 30u);
  ASSERT_EQ(second.size(), 40u);
  EXPECT_EQ(ErrorLogStatusText(first + second), "log count 2   file size 70B");
  EXPECT_EQ(ErrorLogStatusText(""), "log count 0   file size 0B");

  // Five lines are two entries and a half: rounded toward zero. An empty last
  // line is not a line; an empty line within the text is.
  EXPECT_EQ(ErrorLogEntryCount("1\r\n2\r\n3\r\n4\r\n5\r\n"), 2u);
  EXPECT_EQ(ErrorLogEntryCount("1\r\n2\r\n3\r\n4\r\n5"), 2u);
  EXPECT_EQ(ErrorLogEntryCount("1\r\n2\r\n3\r\n\r\n"), 2u);
  EXPECT_EQ(ErrorLogEntryCount("1\n2\r3\r\n"), 1u);
  EXPECT_EQ(ErrorLogEntryCount("\r\n"), 0u);

  // The size is the text's bytes (CP932: two per kanji), in the largest unit it reaches.
  EXPECT_EQ(ErrorLogStatusText(kFirst + "\r\n " + kRefused + "\r\n"),
            "log count 1   file size 90B");
  EXPECT_EQ(ErrorLogStatusText(std::string(1536, 'x')), "log count 0   file size 2KB");
}

TEST(ErrorLogFile, NoFileNoLogAndNoneMadeAtExit) {
  WalkTestTree tree;
  const std::string path = tree.PathOf("errlog.txt");
  EXPECT_TRUE(LoadErrorLogList(path).empty());
  EXPECT_FALSE(SaveErrorLogList(path, {ErrorLogEntry("2026/12/07 12:34:56", "x")}));
  EXPECT_FALSE(std::filesystem::exists(path));
}

// The log is never rewritten in place: the new bytes go to a file beside it that
// takes its place in one step. A second name of the old file (a hard link) still
// holds the old log whole, where a rewrite in place would have changed it too,
// and nothing is left beside the log.
TEST(ErrorLogFile, SavedByReplacingTheFileNotByRewritingIt) {
  WalkTestTree tree;
  const std::string path = tree.PathOf("errlog.txt");
  const std::string old = kFirst + "\r\n OpenProcessToken Error\r\n";
  tree.File("errlog.txt", old);
  std::filesystem::create_hard_link(path, tree.PathOf("old-name.txt"));

  Lines log = LoadErrorLogList(path);
  log.push_back(ErrorLogEntry("2026/12/08 01:02:03", "特権の有効に失敗しました。"));
  ASSERT_TRUE(SaveErrorLogList(path, log));

  EXPECT_EQ(fs::ReadAllBytes(tree.PathOf("old-name.txt")), old);
  EXPECT_EQ(fs::ReadAllBytes(path), old + "[2026/12/08 01:02:03]\n 特権の有効に失敗しました。\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree.Root()), {}), 2);

  // A cleared log is written empty, not removed.
  ASSERT_TRUE(SaveErrorLogList(path, {}));
  EXPECT_EQ(fs::ReadAllBytes(path), "");
}
