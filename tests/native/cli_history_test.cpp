#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli/find_command.h"
#include "cli_run.h"
#include "cli/find_options.h"
#include "platform/fs/read_at.h"
#include "platform/text/cp932.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::cli;
using Lines = std::vector<std::string>;
using trovex::testing::WalkTestTree;

namespace {

using trovex::testing::Find;
using trovex::testing::FindResult;

Lines SortedLines(const std::string& text) {
  Lines lines;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t end = text.find('\n', pos);
    lines.push_back(text.substr(pos, end - pos));
    pos = end == std::string::npos ? text.size() : end + 1;
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// A file system path for a name in the platform's encoding (Windows: CP932, which
// std::filesystem would take for the ANSI code page; POSIX: the bytes as they are).
std::filesystem::path NativePath(const std::string& name) {
#ifdef _WIN32
  const std::u16string wide = text::DecodeCp932Lenient(name);
  return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
#else
  return std::filesystem::path(name);
#endif
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(NativePath(path).parent_path());
  std::ofstream(NativePath(path), std::ios::binary) << bytes;
}

// The content typed on the command line: UTF-8 on POSIX, CP932 on Windows.
#ifdef _WIN32
const std::string kTypedHyo = "\x95\x5C";
#else
const std::string kTypedHyo = reinterpret_cast<const char*>(u8"表");
#endif

}  // namespace

TEST(FindHistoryOptions, HistoryReadersTakeAFileAndNothingElse) {
  std::string error;
  const auto lines = ParseFindOptions({"--history-lines", "h.txd"}, error);
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->historyLines, "h.txd");
  EXPECT_FALSE(ParseFindOptions({"--history-lines", "h.txd", "abc"}, error));
  EXPECT_FALSE(ParseFindOptions({"--history-lines", "a", "--history-summary", "b"}, error));
  EXPECT_FALSE(ParseFindOptions({"--history-summary", "a", "--save-history", "b", "x"}, error));
  EXPECT_FALSE(ParseFindOptions({"--save-history", "b", "--bytes-of", "utf8", "x"}, error));
  EXPECT_FALSE(ParseFindOptions({"--save-history=", "x"}, error));
  const auto save = ParseFindOptions({"--save-history", "out.txd", "abc", "/"}, error);
  ASSERT_TRUE(save);
  EXPECT_EQ(save->saveHistory, "out.txd");
  EXPECT_EQ(save->search.content, "abc");
}

TEST(FindHistory, SavedResultRoundTripsOverShiftJisNames) {
  WalkTestTree tree;
  // "表" (95 5C) and "ソ" (83 5C) end in the byte of "\"; "a=b" and ";c" are names
  // the older readers lost.
  const std::string sep(1, fs::kPathSeparator);
  const std::string folder = tree.Root() + sep + "\x95\x5C";
  const Lines hits = {folder + sep + "\x83\x5C.txt=4", folder + sep + "a=b.txt=0",
                      folder + sep + ";c.txt=2", tree.Root() + sep + "top.txt=1"};
  WriteFile(folder + sep + "\x83\x5C.txt", "....needle");
  WriteFile(folder + sep + "a=b.txt", "needle");
  WriteFile(folder + sep + ";c.txt", "..needle");
  WriteFile(folder + sep + "none.txt", "nothing");
  WriteFile(tree.Root() + sep + "top.txt", ".needle");
  const std::string history = tree.PathOf("saved.txd");

  const FindResult found =
      Find({"--case", "--skip-breaks", "--save-history", history, "needle", tree.Root()});
  ASSERT_EQ(found.status, kFoundHits) << found.err;
  EXPECT_EQ(SortedLines(found.out),
            SortedLines(hits.front() + "\n" + hits[1] + "\n" + hits[2] + "\n" + hits[3]));
  EXPECT_EQ(found.err, "trovex-find: saved " + history + "\n");

  const std::optional<std::string> bytes = fs::ReadAllBytes(history);
  ASSERT_TRUE(bytes);
  const std::string header = "[needle]\r\nVemko=Ver 1.0\r\nlist=needle\\@\\\r\nfrg=7\r\n\r\n";
  EXPECT_EQ(bytes->substr(0, header.size()), header);
  EXPECT_NE(bytes->find("[" + folder + "]\r\n"), std::string::npos);

  const FindResult lines = Find({"--history-lines", history});
  EXPECT_EQ(lines.status, kFoundHits);
  std::string expected;
  for (const std::string& hit : hits) expected += hit + "\n";
  EXPECT_EQ(SortedLines(lines.out), SortedLines(expected));

  const FindResult summary = Find({"--history-summary", history});
  EXPECT_EQ(summary.status, kFoundHits);
  EXPECT_EQ(summary.out, "needle\t4\n");
}

TEST(FindHistory, SavingIntoAFolderNeverReplacesAnEarlierResult) {
  WalkTestTree tree;
  tree.File("data/keep", "");
  WriteFile(tree.PathOf("files/a.txt"), "\x95\x5C");  // "表" in Shift-JIS
  const FindResult first =
      Find({"--fold", "--save-history", tree.PathOf("data"), kTypedHyo, tree.PathOf("files")});
  const FindResult second =
      Find({"--fold", "--save-history", tree.PathOf("data"), kTypedHyo, tree.PathOf("files")});
  ASSERT_EQ(first.status, kFoundHits) << first.err;
  ASSERT_EQ(second.status, kFoundHits) << second.err;
  EXPECT_NE(first.err, second.err);
  std::size_t histories = 0;
  for (const auto& entry : std::filesystem::directory_iterator(tree.PathOf("data"))) {
    if (entry.path().extension() == ".txd") ++histories;
  }
  EXPECT_EQ(histories, 2u);

  const std::string saved =
      first.err.substr(std::string("trovex-find: saved ").size(),
                       first.err.size() - std::string("trovex-find: saved ").size() - 1);
  const std::optional<std::string> bytes = fs::ReadAllBytes(saved);
  ASSERT_TRUE(bytes);
  // The name and the content list are the CP932 text; --fold clears bit 2.
  const std::string header = "[\x95\x5C]\r\nVemko=Ver 1.0\r\nlist=\x95\x5C\\@\\\r\nfrg=0\r\n\r\n";
  EXPECT_EQ(bytes->substr(0, header.size()), header);
  EXPECT_EQ(Find({"--history-summary", saved}).out, kTypedHyo + "\t1\n");
}

TEST(FindHistory, NoHitsSavedAsHeaderOnlyAndUnreadableFilesReported) {
  WalkTestTree tree;
  tree.File("files/a.txt", "nothing");
  const std::string history = tree.PathOf("empty.txd");
  EXPECT_EQ(Find({"--save-history", history, "needle", tree.PathOf("files")}).status, kNoHits);
  EXPECT_EQ(fs::ReadAllBytes(history),
            "[needle]\r\nVemko=Ver 1.0\r\nlist=needle\\@\\\r\nfrg=2\r\n\r\n");
  EXPECT_EQ(Find({"--history-lines", history}).status, kNoHits);
  EXPECT_EQ(Find({"--history-summary", history}).out, "needle\t0\n");

  const FindResult missing = Find({"--history-lines", tree.PathOf("none.txd")});
  EXPECT_EQ(missing.status, kBadInput);
  EXPECT_EQ(missing.err,
            "trovex-find: cannot read the history file " + tree.PathOf("none.txd") + "\n");
  const FindResult unsaved =
      Find({"--save-history", tree.PathOf("no/such/x.txd"), "needle", tree.PathOf("files")});
  EXPECT_EQ(unsaved.status, kBadInput);
  EXPECT_FALSE(std::filesystem::exists(tree.PathOf("no")));
}
