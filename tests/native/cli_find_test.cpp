#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "cli/find_command.h"
#include "cli_run.h"
#include "cli/find_options.h"
#include "platform/os/console_text.h"
#include "search/hit_line.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::cli;
using trovex::testing::WalkTestTree;

namespace {

std::optional<FindOptions> Parse(const std::vector<std::string>& args,
                                 std::string* error = nullptr) {
  std::string e;
  auto options = ParseFindOptions(args, e);
  if (error) *error = e;
  return options;
}

using trovex::testing::Find;
using trovex::testing::FindResult;

}  // namespace

TEST(FindOptions, DefaultsFlagsAndOperands) {
  const auto o =
      Parse({"--options", "--case", "--fold", "--name=a=b/c", "--", "--x", "/t1", "/t2"});
  ASSERT_TRUE(o);
  EXPECT_TRUE(o->search.optionsOpen && o->search.caseSensitive &&
              !o->search.distinguishWidthAndKana);
  EXPECT_EQ(o->search.nameFilter, "a=b/c");
  EXPECT_EQ(o->search.content, "--x");
  EXPECT_EQ(o->locations, (std::vector<std::string>{"/t1", "/t2"}));
  EXPECT_FALSE(o->search.sizeFilterOn || o->search.dateFilterOn || o->cached || o->count);

  const auto sized = Parse({"--unit", "MB", "", "."});
  ASSERT_TRUE(sized);
  EXPECT_TRUE(sized->search.sizeFilterOn);
  EXPECT_EQ(sized->search.sizeNumber, 10);
  EXPECT_EQ(sized->search.sizeUnit, search::SizeUnit::MB);
  EXPECT_FALSE(sized->search.sizeAtLeast);
  EXPECT_EQ(sized->search.content, "");

  const auto dated = Parse({"--from", "2024/01/01", "--to", "2024/1/31", "x"});
  ASSERT_TRUE(dated);
  EXPECT_TRUE(dated->search.dateFilterOn);
  EXPECT_NEAR(dated->search.dateTo - dated->search.dateFrom, 30.0, 1e-9);
  const auto conditions = search::ConditionsFor(dated->search);
  EXPECT_NEAR(conditions.dateFrom - static_cast<long long>(conditions.dateFrom),
              search::kDatePickerInitialValue - 38952, 1e-9);  // 09:49:05 kept
}

TEST(FindOptions, BadCommandLines) {
  const std::vector<std::vector<std::string>> bad = {
      {},                    // no CONTENT
      {"--bogus", "x"},      // unknown option
      {"--name"},            // missing value
      {"--options=1", "x"},  // a flag with a value
      {"--size", "0", "x"},
      {"--size", "1025", "x"},
      {"--size", "1e3", "x"},
      {"--unit", "TB", "x"},
      {"--unit", "kb", "x"},
      {"--year", "20x4", "x"},
      {"--from", "2024/01/01", "x"},  // without --to
      {"--from", "2023/02/29", "--to", "2023/03/01", "x"},
      {"--year", "2024", "--from", "2024/01/01", "--to", "2024/01/02", "x"},
      {"-j0", "x"},
      {"-j", "x"},
      {"--threads", "y", "x"},
      {"-j257", "x"},  // no thread count
  };
  for (const auto& args : bad) {
    std::string error;
    EXPECT_FALSE(Parse(args, &error)) << ::testing::PrintToString(args);
    EXPECT_FALSE(error.empty());
    const FindResult run = Find(args);
    EXPECT_EQ(run.status, kBadInput);
    EXPECT_NE(run.err.find("usage: trovex-find"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
  }
}

TEST(FindOptions, ThreadCountInItsShortAndLongForms) {
  EXPECT_EQ(Parse({"x"})->threads, 0u);  // one per hardware thread
  EXPECT_EQ(Parse({"-j1", "x"})->threads, 1u);
  EXPECT_EQ(Parse({"-j", "4", "x"})->threads, 4u);
  EXPECT_EQ(Parse({"--threads=8", "x", "/t"})->threads, 8u);
  const auto after = Parse({"--threads", "2", "--", "-j3", "/t"});
  ASSERT_TRUE(after);
  EXPECT_EQ(after->threads, 2u);
  EXPECT_EQ(after->search.content, "-j3");  // after "--" it is CONTENT
}

TEST(FindCommand, EveryThreadCountPrintsTheSameLinesInTheSameOrder) {
  WalkTestTree tree;
  for (int folder = 0; folder < 8; ++folder) {
    for (int i = 0; i < 25; ++i) {
      tree.File("d" + std::to_string(folder) + "/f" + std::to_string(i) + ".txt",
                std::string(static_cast<std::size_t>(i * 37), '.') + (i % 3 ? "needle" : "other"));
    }
  }
  const FindResult one = Find({"-j1", "needle", tree.Root()});
  ASSERT_EQ(one.status, kFoundHits);
  EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 8 * 16);
  for (const char* threads : {"2", "3", "8"}) {
    const FindResult many = Find({"--threads", threads, "needle", tree.Root()});
    EXPECT_EQ(many.status, kFoundHits);
    EXPECT_EQ(many.out, one.out) << threads << " threads";
  }
}

TEST(FindOptions, PanelOptionsActOnlyWithOptions) {
  auto o = *Parse({"--case", "--fold", "--skip-breaks", "--hidden", "--name", "Txt", "x"});
  auto m = search::MatchOptionsFor(o.search, search::SearchMode::Text);
  EXPECT_FALSE(m.caseSensitive);
  EXPECT_TRUE(m.foldedCaseSensitive);
  EXPECT_FALSE(m.foldWidthAndKana);
  EXPECT_TRUE(m.skipLineBreaks);
  auto c = search::ConditionsFor(o.search);
  EXPECT_FALSE(c.optionsOpen);
  EXPECT_TRUE(c.includeHidden);
  EXPECT_EQ(c.nameTerms, std::vector<std::string>{"Txt"});  // case kept: --case
  o.search.optionsOpen = true;
  m = search::MatchOptionsFor(o.search, search::SearchMode::Text);
  EXPECT_TRUE(m.caseSensitive);
  EXPECT_TRUE(m.foldWidthAndKana);
  EXPECT_TRUE(search::ConditionsFor(o.search).optionsOpen);
}

namespace {

// A set of encodings, as a list of --encoding names gives it.
search::EncodingSet Encodings(std::initializer_list<search::TextEncoding> encodings) {
  search::EncodingSet set = search::EncodingSet::None();
  for (search::TextEncoding e : encodings) set.Add(e);
  return set;
}

}  // namespace

TEST(FindOptions, EncodingListsNarrowTheTextSearchWithoutOptions) {
  using enum search::TextEncoding;
  const auto plain = Parse({"x"});
  ASSERT_TRUE(plain);
  EXPECT_EQ(search::TextEncodingsFor(plain->search), search::EncodingSet::All());

  const struct {
    const char* list;
    search::EncodingSet expected;
  } cases[] = {
      {"all", search::EncodingSet::All()},
      {"sjis", Encodings({ShiftJis})},
      {"utf8", Encodings({Utf8})},
      {"utf16le", Encodings({Utf16Le})},
      {"utf16be", Encodings({Utf16Be})},
      {"eucjp", Encodings({EucJp})},
      {"utf16", Encodings({Utf16Le, Utf16Be})},
      {"sjis,utf8", Encodings({ShiftJis, Utf8})},
      {"eucjp,utf16,sjis", Encodings({EucJp, Utf16Le, Utf16Be, ShiftJis})},
      {"utf16be,utf16be", Encodings({Utf16Be})},
      {"utf8,all", search::EncodingSet::All()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    // The console has no option panel: the set counts without --options, and with it.
    const auto alone = Parse({"--encoding", c.list, "x"});
    ASSERT_TRUE(alone);
    EXPECT_FALSE(alone->search.optionsOpen);
    EXPECT_EQ(search::TextEncodingsFor(alone->search), c.expected);
    EXPECT_TRUE(alone->panelOnlyGiven.empty());
    const auto open = Parse({"--options", std::string("--encoding=") + c.list, "x"});
    ASSERT_TRUE(open);
    EXPECT_EQ(search::TextEncodingsFor(open->search), c.expected);
  }
  // The last --encoding counts, as with the other options that take a value.
  EXPECT_EQ(
      search::TextEncodingsFor(Parse({"--encoding", "utf8", "--encoding", "sjis", "x"})->search),
      Encodings({ShiftJis}));

  // Not an option of the panel: nothing is said of --options.
  WalkTestTree tree;
  tree.File("a.txt", "other");
  const FindResult run = Find({"--encoding", "sjis,utf8", "needle", tree.Root()});
  EXPECT_EQ(run.status, kNoHits);
  EXPECT_EQ(run.err, "");
  EXPECT_NE(Find({"--help"}).out.find("--encoding LIST"), std::string::npos);
}

TEST(FindOptions, BadEncodingListsAreBadCommandLines) {
  for (const char* list : {"", "SJIS", "utf-8", "cp932", "utf32", "utf16,", ",sjis", "sjis,,utf8",
                           "sjis utf8", "all,"}) {
    SCOPED_TRACE(list);
    std::string error;
    EXPECT_FALSE(Parse({"--encoding", list, "x"}, &error));
    EXPECT_EQ(error, "--encoding takes all, sjis, utf8, utf16, utf16le, utf16be or eucjp");
    const FindResult run = Find({std::string("--encoding=") + list, "x", "/nowhere"});
    EXPECT_EQ(run.status, kBadInput);
    EXPECT_EQ(
        run.err.rfind(
            "trovex-find: --encoding takes all, sjis, utf8, utf16, utf16le, utf16be or eucjp\n"
            "usage: trovex-find",
            0),
        0u)
        << run.err;
    EXPECT_TRUE(run.out.empty());
  }
  std::string error;
  EXPECT_FALSE(Parse({"x", "--encoding"}, &error));
  EXPECT_EQ(error, "--encoding needs a value");
}

TEST(FindCommand, RunsTheSearchAndReportsHitLines) {
  WalkTestTree tree;
  tree.File("a=b/hit.txt", "xx needle");
  tree.File("miss.txt", "nothing");
  tree.File("big.bin", std::string(20000, 'n') + "needle");
  tree.File("empty.txt", "");

  FindResult run = Find({"needle", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  std::vector<std::string> lines;
  for (std::size_t pos = 0; pos < run.out.size();) {
    const std::size_t end = run.out.find('\n', pos);
    lines.push_back(run.out.substr(pos, end - pos));
    pos = end + 1;
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], search::MakeHitLine(tree.PathOf("big.bin"), 20000));
  const auto parts = search::SplitHitLine(lines[1]);
  EXPECT_EQ(parts->path, tree.PathOf("a=b/hit.txt"));
  EXPECT_EQ(parts->offsetText, "3");

  // The size condition needs --options; with it only files of at most 1 KB are searched.
  run = Find({"--at-most", "--size", "1", "needle", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  run = Find({"--options", "--at-most", "--size", "1", "--cached", "needle", tree.Root()});
  EXPECT_EQ(run.out, search::MakeHitLine(tree.PathOf("a=b/hit.txt"), 3) + "\n");

  run = Find({"absent", tree.Root()});
  EXPECT_EQ(run.status, kNoHits);
  EXPECT_TRUE(run.out.empty());

  // --count reports the pre-count on stderr.
  run = Find({"--count", "--options", "--name", "empty", "", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.out, search::MakeHitLine(tree.PathOf("empty.txt"), 0) + "\n");
  EXPECT_EQ(run.err, "4\n");
}

TEST(FindCommand, BadContentsExitWithTheProgramsMessage) {
  WalkTestTree tree;
  FindResult run = Find({"", tree.Root()});
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_NE(run.err.find(os::Cp932ForConsole("検索する内容が入力されていません。")),
            std::string::npos);
  run = Find({",1,,2", tree.Root()});
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_NE(run.err.find(os::Cp932ForConsole("[]\n不正な値が入力されています。")),
            std::string::npos);
  // An empty content with a name filter is accepted, even with the panel closed.
  tree.File("a.txt", "x");
  run = Find({"--name", "zzz", "", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.out, search::MakeHitLine(tree.PathOf("a.txt"), 0) + "\n");
}

TEST(FindCommand, MessagesFollowTheOutputEncoding) {
  WalkTestTree tree;
  const std::string missing = "検索する内容が入力されていません。";  // CP932
  FindResult run = Find({"--output-encoding", "cp932", "", tree.Root()});
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_EQ(run.err, missing + "\n");
  run = Find({"--output-encoding", "utf8", "", tree.Root()});
  EXPECT_EQ(run.err, reinterpret_cast<const char*>(u8"検索する内容が入力されていません。\n"));

  std::string error;
  EXPECT_FALSE(Parse({"--output-encoding", "sjis", "x"}, &error));
  EXPECT_EQ(error, "--output-encoding takes utf8 or cp932");
  EXPECT_EQ(Parse({"x"})->outputEncoding, os::OutputEncoding::kAutomatic);
  EXPECT_EQ(Parse({"--output-encoding=utf8", "x"})->outputEncoding, os::OutputEncoding::kUtf8);
}

TEST(FindCommand, BytesOfPrintsTheConversionDialogsList) {
  // Arguments are in the console's encoding: UTF-8 natively, CP932 under Windows.
  const std::string a = os::Cp932ForConsole("あ");
  FindResult run = Find({"--bytes-of", "utf8", a});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.out, "0xE3,0x81,0x82\n");
  EXPECT_EQ(Find({"--bytes-of", "sjis", a}).out, "0x82,0xA0\n");
  EXPECT_EQ(Find({"--bytes-of=utf16le", a}).out, "0x42,0x30\n");
  EXPECT_EQ(Find({"--bytes-of", "utf16be", "AB"}).out, "0x00,0x41,0x00,0x42\n");
  run = Find({"--bytes-of", "utf8", ""});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.out, "\n");

  std::string error;
  EXPECT_FALSE(Parse({"--bytes-of", "utf16", "x"}, &error));
  EXPECT_EQ(error, "--bytes-of takes sjis, utf8, utf16le or utf16be");
  EXPECT_FALSE(Parse({"--bytes-of", "utf8", "x", "/tmp"}, &error));
  EXPECT_EQ(error, "--bytes-of takes one TEXT and no location");
  run = Find({"--bytes-of", "utf8"});
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_TRUE(run.out.empty());
}

#ifndef _WIN32
TEST(FindCommand, BytesOfATextShiftJisCannotHoldExitsWithTheMessage) {
  const FindResult run = Find({"--bytes-of", "utf8", "a\xF0\x9F\x98\x80"});  // an emoji
  EXPECT_EQ(run.status, kBadInput);
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(run.err, "trovex-find: TEXT has a character Shift-JIS (CP932) cannot hold\n");
}
#endif

namespace {

// Sets a file's last-write time to a local date and time.
void SetLocalWriteTime(const std::string& path, int year, int month, int day, int hour,
                       int minute) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_isdst = -1;
  const auto target = std::chrono::system_clock::from_time_t(std::mktime(&local));
  const auto offset = target - std::chrono::system_clock::now();
  std::filesystem::last_write_time(
      path, std::filesystem::file_time_type::clock::now() +
                std::chrono::duration_cast<std::filesystem::file_time_type::duration>(offset));
}

}  // namespace

TEST(FindCommand, DateRangeHoldsTheWholeFirstAndLastDays) {
  WalkTestTree tree;
  tree.File("first-early.txt", "x");
  tree.File("last-late.txt", "x");
  tree.File("day-after.txt", "x");
  SetLocalWriteTime(tree.PathOf("first-early.txt"), 2024, 1, 1, 0, 10);
  SetLocalWriteTime(tree.PathOf("last-late.txt"), 2024, 1, 31, 23, 30);
  SetLocalWriteTime(tree.PathOf("day-after.txt"), 2024, 2, 1, 0, 10);
  FindResult run =
      Find({"--options", "--from", "2024/01/01", "--to", "2024/01/31", "x", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_NE(run.out.find(search::MakeHitLine(tree.PathOf("first-early.txt"), 0) + "\n"),
            std::string::npos);
  EXPECT_NE(run.out.find(search::MakeHitLine(tree.PathOf("last-late.txt"), 0) + "\n"),
            std::string::npos);
  EXPECT_EQ(run.out.find("day-after"), std::string::npos);
}
