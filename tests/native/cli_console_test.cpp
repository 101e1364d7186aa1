// trovex-find keeps the conventions of the grep family: results on standard
// output, messages on standard error, exit 0/1/2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "cli/find_command.h"
#include "cli/find_options.h"
#include "cli_run.h"
#include "platform/fs/system_error.h"
#include "platform/os/console_text.h"
#include "search/candidate_filter.h"
#include "search/hit_line.h"
#include "walk_test_tree.h"

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace trovex;
using namespace trovex::cli;
using trovex::testing::Find;
using trovex::testing::FindResult;
using trovex::testing::WalkTestTree;

namespace {

std::vector<std::string> Lines(const std::string& text, char end = '\n') {
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t stop = text.find(end, pos);
    lines.push_back(text.substr(pos, stop - pos));
    pos = stop == std::string::npos ? text.size() : stop + 1;
  }
  return lines;
}

const std::string kEmptyContent = os::Cp932ForConsole("検索する内容が入力されていません。") + "\n";

}  // namespace

TEST(FindConsole, ByteListsWithoutAByteAreRefusedLikeAnEmptyContent) {
  WalkTestTree tree;
  tree.File("a.txt", std::string("x\0y", 3));
  for (const std::string content : {",", ",,,", " , ", ","}) {
    const FindResult run = Find({content, tree.Root()});
    EXPECT_EQ(run.status, kBadInput) << content;
    EXPECT_EQ(run.err, kEmptyContent) << content;
    EXPECT_TRUE(run.out.empty());
  }
  // A list with one byte, even a zero one, is searched.
  const FindResult zero = Find({",0", tree.Root()});
  EXPECT_EQ(zero.status, kFoundHits);
  EXPECT_EQ(zero.out, search::MakeHitLine(tree.PathOf("a.txt"), 1) + "\n");
  // The panel's comma rule makes "," a text of its own.
  tree.File("b.txt", "a,b");
  const FindResult text = Find({"--options", "--comma-text", ",", tree.Root()});
  EXPECT_EQ(text.out, search::MakeHitLine(tree.PathOf("b.txt"), 1) + "\n");
}

TEST(FindConsole, HelpAndVersionPrintAndSucceed) {
  FindResult run = Find({"--help"});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.out.rfind(std::string(FindUsage()) + "\n", 0), 0u);
  for (const char* option : {"--null", "--content-file", "--options", "Exit status"})
    EXPECT_NE(run.out.find(option), std::string::npos) << option;
  EXPECT_TRUE(run.err.empty());
  // Whatever else the command line holds.
  EXPECT_EQ(Find({"--case", "--help", "x", "/nowhere"}).status, kFoundHits);

  run = Find({"--version"});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.out, std::string(FindVersion()) + "\n");
  EXPECT_EQ(run.out.rfind("trovex-find ", 0), 0u);
  EXPECT_TRUE(run.err.empty());
  // An option before them that is wrong is still wrong.
  EXPECT_EQ(Find({"--bogus", "--version"}).status, kBadInput);
}

TEST(FindConsole, MissingLocationsAreNamedAndFailTheRunWithoutHits) {
  WalkTestTree tree;
  tree.File("hit.txt", "needle");
  const std::string missing = tree.PathOf("missing");
  FindResult run = Find({"needle", missing});
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_TRUE(run.out.empty());
  const std::vector<std::string> lines = Lines(run.err);
  ASSERT_EQ(lines.size(), 1u) << run.err;
  EXPECT_EQ(lines[0].rfind("trovex-find: " + missing + ": ", 0), 0u) << lines[0];
  EXPECT_GT(lines[0].size(), ("trovex-find: " + missing + ": ").size());

  // Hits elsewhere: the location is still named, the exit tells of the hits.
  run = Find({"needle", missing, tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.out, search::MakeHitLine(tree.PathOf("hit.txt"), 0) + "\n");
  EXPECT_EQ(Lines(run.err), lines);

  // A readable location without hits is no error.
  run = Find({"absent", tree.Root()});
  EXPECT_EQ(run.status, kNoHits);
  EXPECT_TRUE(run.err.empty());
}

#ifndef _WIN32
TEST(FindConsole, UnreadableFilesAndFoldersAreNamedOneLineEach) {
  WalkTestTree tree;
  tree.File("a.txt", "needle");
  tree.File("sub/b.txt", "needle");
  std::filesystem::create_symlink(tree.PathOf("gone"), tree.PathOf("dangling.txt"));
  std::filesystem::create_symlink(tree.PathOf("sub/loop"), tree.PathOf("sub/loop"));
  FindResult run = Find({"needle", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(Lines(run.out),
            (std::vector<std::string>{search::MakeHitLine(tree.PathOf("a.txt"), 0),
                                      search::MakeHitLine(tree.PathOf("sub/b.txt"), 0)}));
  std::vector<std::string> failures = Lines(run.err);
  std::sort(failures.begin(), failures.end());
  EXPECT_EQ(failures,
            (std::vector<std::string>{
                "trovex-find: " + tree.PathOf("dangling.txt") + ": " + fs::SystemErrorText(ENOENT),
                "trovex-find: " + tree.PathOf("sub/loop") + ": " + fs::SystemErrorText(ELOOP)}));

  // A location that is a file is no folder to walk.
  run = Find({"needle", tree.PathOf("a.txt")});
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_EQ(run.err,
            "trovex-find: " + tree.PathOf("a.txt") + ": " + fs::SystemErrorText(ENOTDIR) + "\n");

  // A folder that cannot be listed (the system's owner may list anything).
  if (geteuid() != 0) {
    std::filesystem::permissions(tree.PathOf("sub"), std::filesystem::perms::none);
    run = Find({"needle", tree.Root()});
    std::filesystem::permissions(tree.PathOf("sub"), std::filesystem::perms::owner_all);
    EXPECT_NE(run.err.find("trovex-find: " + tree.PathOf("sub") + ": " +
                           fs::SystemErrorText(EACCES) + "\n"),
              std::string::npos)
        << run.err;
  }
}

TEST(FindConsole, AFailedWriteEndsTheRunWithAMessage) {
  WalkTestTree tree;
  tree.File("a.txt", "needle");
  // A full disk.
  std::FILE* full = std::fopen("/dev/full", "w");
  ASSERT_TRUE(full);
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(RunFind({"needle", tree.Root()}, full, err), kBadInput);
  std::fclose(full);
  EXPECT_EQ(trovex::testing::ReadAll(err),
            std::string("trovex-find: cannot write the results: ") + std::strerror(ENOSPC) + "\n");

  // A reader that went away: trovex-find ignores the signal, as its main does.
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  close(ends[0]);
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  std::FILE* pipe = fdopen(ends[1], "w");
  err = std::tmpfile();
  EXPECT_EQ(RunFind({"needle", tree.Root()}, pipe, err), kBadInput);
  std::fclose(pipe);
  std::signal(SIGPIPE, previous);
  EXPECT_EQ(trovex::testing::ReadAll(err),
            std::string("trovex-find: cannot write the results: ") + std::strerror(EPIPE) + "\n");

  full = std::fopen("/dev/full", "w");
  err = std::tmpfile();
  EXPECT_EQ(RunFind({"--version"}, full, err), kBadInput);
  std::fclose(full);
  EXPECT_NE(trovex::testing::ReadAll(err).find(std::strerror(ENOSPC)), std::string::npos);
}

TEST(FindConsole, NullEndsKeepANameWithALineBreakWhole) {
  WalkTestTree tree;
  tree.File("two\nlines.txt", "needle");
  tree.File("sub/b.txt", "a needle");
  const FindResult run = Find({"--null", "needle", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.out, search::MakeHitLine(tree.PathOf("two\nlines.txt"), 0) + '\0' +
                         search::MakeHitLine(tree.PathOf("sub/b.txt"), 2) + '\0');
  // The snippet stays within its line.
  const FindResult snippets = Find({"--null", "--snippet", "needle", tree.PathOf("sub")});
  EXPECT_EQ(snippets.out, search::MakeHitLine(tree.PathOf("sub/b.txt"), 2) + "\tneedle" + '\0');
}
#endif

TEST(FindConsole, PanelOptionsWithoutTheirPanelSaySo) {
  WalkTestTree tree;
  tree.File("a.txt", "needle");
  FindResult run = Find({"--case", "--hidden", "--name", "a", "--size", "2", "--case",
                         "--exclude-dates", "--skip-breaks", "needle", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(Lines(run.err), (std::vector<std::string>{
                                "trovex-find: --case has no effect without --options",
                                "trovex-find: --name has no effect without --options",
                                "trovex-find: --size has no effect without --options",
                                "trovex-find: --exclude-dates has no effect without --options"}));
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"--fold"},
                                             {"--comma-text"},
                                             {"--exclude-names"},
                                             {"--unit", "MB"},
                                             {"--at-least"},
                                             {"--at-most"},
                                             {"--year", "2024"},
                                             {"--from", "2024/01/01", "--to", "2024/01/02"}}) {
    std::vector<std::string> command = args;
    command.insert(command.end(), {"needle", tree.Root()});
    run = Find(command);
    EXPECT_NE(run.err.find("trovex-find: " + args[0] + " has no effect without --options\n"),
              std::string::npos)
        << run.err;
  }
  // A saved history keeps the matching rules, so they do act then; the others still do not.
  run = Find({"--case", "--fold", "--comma-text", "--name", "a", "--save-history",
              tree.PathOf("h.txd"), "needle", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.err, "trovex-find: --name has no effect without --options\ntrovex-find: saved " +
                         tree.PathOf("h.txd") + "\n");
  // With the panel open they act, and nothing is said.
  run = Find({"--options", "--case", "--name", "a", "needle", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST(FindConsole, ContentFromAFile) {
  WalkTestTree tree;
  tree.File("a.txt", "one line\nand the next");
  tree.File("b.txt", "line\r\nand");
  tree.File("in/content.txt", "line\n");       // the final line break is dropped
  tree.File("in/two.txt", "line\r\nand\r\n");  // only the final one
  tree.File("in/numbers.txt", ",0x6E,0x64\n");
  // Every operand is a location.
  std::string error;
  const auto parsed = ParseFindOptions({"--content-file", "c.txt", "/one", "/two"}, error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_EQ(parsed->locations, (std::vector<std::string>{"/one", "/two"}));

  FindResult run = Find({"--content-file", tree.PathOf("in/content.txt"), tree.Root()});
  ASSERT_EQ(run.status, kFoundHits) << run.err;
  std::vector<std::string> lines = Lines(run.out);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{search::MakeHitLine(tree.PathOf("a.txt"), 4),
                                             search::MakeHitLine(tree.PathOf("b.txt"), 0),
                                             search::MakeHitLine(tree.PathOf("in/content.txt"), 0),
                                             search::MakeHitLine(tree.PathOf("in/two.txt"), 0)}));
  run = Find({"--content-file=" + tree.PathOf("in/two.txt"), tree.Root()});
  EXPECT_EQ(Lines(run.out).size(), 2u);  // b.txt and two.txt itself
  EXPECT_NE(run.out.find(search::MakeHitLine(tree.PathOf("b.txt"), 0)), std::string::npos);
  run = Find({"--content-file", tree.PathOf("in/numbers.txt"), tree.Root()});
  lines = Lines(run.out);  // "nd"
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{search::MakeHitLine(tree.PathOf("a.txt"), 10),
                                             search::MakeHitLine(tree.PathOf("b.txt"), 7),
                                             search::MakeHitLine(tree.PathOf("in/two.txt"), 7)}));

  run = Find({"--content-file", tree.PathOf("in/none.txt"), tree.Root()});
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_EQ(run.err,
            "trovex-find: " + tree.PathOf("in/none.txt") + ": cannot read the content file\n");
  tree.File("in/empty.txt", "\n");
  run = Find({"--content-file", tree.PathOf("in/empty.txt"), tree.Root()});
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_EQ(run.err, kEmptyContent);
  EXPECT_EQ(Find({"--content-file", tree.PathOf("in/content.txt"), "--history-lines", "x"}).status,
            kBadInput);
}

TEST(FindConsole, ALongContentIsPreparedInOnePass) {
  // 1 MiB of text: a filter prepared in more than one pass over it takes seconds.
  std::string content;
  for (std::uint32_t x = 1; content.size() < (1u << 20);) {
    x = x * 1103515245u + 12345u;
    content += "etaoinshrdlu "[(x >> 16) % 13];
  }
  content[700000] = 'z';
  content[900000] = 'q';
  WalkTestTree tree;
  tree.File("in/content.txt", content);
  tree.File("miss.txt", content.substr(0, content.size() - 1) + "#");
  const auto start = std::chrono::steady_clock::now();
  const FindResult run = Find({"--content-file", tree.PathOf("in/content.txt"), tree.Root()});
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(run.out, search::MakeHitLine(tree.PathOf("in/content.txt"), 0) + "\n");
  // About 3 s in the sanitized build on a busy machine; a preparation quadratic in the
  // content's length would take many minutes.
  EXPECT_LT(seconds, 20.0);

  // The filter still tests the two rarest bytes, the earlier of equals first.
  search::MatchPatterns patterns;
  patterns.pattern = content;
  search::MatchOptions options;
  options.caseSensitive = true;
  const auto filter = search::CandidateFilter::For(patterns, options, false);
  ASSERT_EQ(filter.alternativeCount, 1);
  ASSERT_EQ(filter.alternatives[0].conditionCount, 2);
  EXPECT_EQ(filter.alternatives[0].conditions[0].offset, 700000);  // 'z', as rare as 'q'
  EXPECT_EQ(filter.alternatives[0].conditions[1].offset, 900000);
  patterns.pattern[800000] = '\x01';  // rarer than both
  const auto rarer = search::CandidateFilter::For(patterns, options, false);
  EXPECT_EQ(rarer.alternatives[0].conditions[0].offset, 800000);
  EXPECT_EQ(rarer.alternatives[0].conditions[1].offset, 700000);
}
