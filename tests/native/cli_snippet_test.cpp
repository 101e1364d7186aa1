#include <gtest/gtest.h>

#include <cstdio>

#include "cli/find_command.h"
#include "cli/snippet_column.h"
#include "platform/os/console_text.h"
#include "search/hit_line.h"
#include "walk_test_tree.h"

using namespace trovex;
using namespace trovex::cli;
using trovex::testing::WalkTestTree;

namespace {

struct FindOutput {
  int status;
  std::string out;
};

// UTF-8 bytes as a narrow string (narrow literals are CP932 here).
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

FindOutput Find(const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = RunFind(args, out, err);
  std::rewind(out);
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;) text.append(buffer, n);
  std::fclose(out);
  std::fclose(err);
  return {status, text};
}

std::string Line(const WalkTestTree& tree, const std::string& file, std::int64_t offset,
                 const std::string& consoleSnippet) {
  return search::MakeHitLine(tree.PathOf(file), offset) + "\t" + consoleSnippet + "\n";
}

}  // namespace

TEST(FindSnippet, TextHitsShowTheirSnippetOnOneLine) {
  WalkTestTree tree;
  tree.File("a.txt",
            "xx needle\r\n\tnext\x7F"
            "line");
  FindOutput run = Find({"--snippet", "needle", tree.Root()});
  EXPECT_EQ(run.status, kFoundHits);
  EXPECT_EQ(run.out, Line(tree, "a.txt", 3, "needle   next line"));
  // Without --snippet the hit line stands alone.
  EXPECT_EQ(Find({"needle", tree.Root()}).out, search::MakeHitLine(tree.PathOf("a.txt"), 3) + "\n");
}

TEST(FindSnippet, JapaneseSnippetIsWrittenForTheConsole) {
  WalkTestTree tree;
  tree.File("jp.txt", "前置き検索の内容");
  // A typed argument is what the console gives: CP932 on Windows, UTF-8 elsewhere.
  const std::string typed = os::Cp932ForConsole("検索");
  FindOutput run = Find({"--snippet", typed, tree.Root()});
  EXPECT_EQ(run.out, Line(tree, "jp.txt", 6, os::Cp932ForConsole("検索の内容")));
}

// The 64 bytes of a snippet may end inside a double-byte character: only that
// character is lost, the rest of the line stays readable in the chosen encoding.
TEST(FindSnippet, SnippetCutInsideADoubleByteCharacter) {
  WalkTestTree tree;
  const std::string cut = "needle内容" + std::string(53, 'a') + "\x8C";  // 64 bytes, 検's lead last
  ASSERT_EQ(cut.size(), results::kSnippetBytes);
  tree.File("cut.txt", "xx" + cut +
                           "\x9F"
                           "索");  // 検索 straddles the snippet's end
  const std::string asUtf8 = Utf8(u8"needle内容") + std::string(53, 'a') + Utf8(u8"\uFFFD");

  EXPECT_EQ(Find({"--snippet", "--output-encoding", "utf8", "needle", tree.Root()}).out,
            Line(tree, "cut.txt", 2, asUtf8));
  EXPECT_EQ(Find({"--snippet", "--output-encoding=cp932", "needle", tree.Root()}).out,
            Line(tree, "cut.txt", 2, cut));
  // Without the option: UTF-8 on POSIX; on Windows a file or pipe gets CP932 bytes.
#ifdef _WIN32
  const std::string automatic = cut;
#else
  const std::string automatic = asUtf8;
#endif
  EXPECT_EQ(Find({"--snippet", "needle", tree.Root()}).out, Line(tree, "cut.txt", 2, automatic));
  EXPECT_EQ(Find({"--snippet", "--output-encoding", "utf16", "needle", tree.Root()}).status,
            kBadInput);
}

TEST(FindSnippet, NumbersSearchInBothBinaryDisplays) {
  WalkTestTree tree;
  tree.File("ab.bin", "zAB\r\n");
  EXPECT_EQ(Find({"--snippet", ",65,66", tree.Root()}).out, Line(tree, "ab.bin", 1, "41,42,0D,0A"));
  EXPECT_EQ(Find({"--snippet", "--binary-display", "chars", ",65,66", tree.Root()}).out,
            Line(tree, "ab.bin", 1, "AB.."));
  EXPECT_EQ(Find({"--snippet", "--binary-display=hex", ",65,66", tree.Root()}).out,
            Line(tree, "ab.bin", 1, "41,42,0D,0A"));
  EXPECT_EQ(Find({"--snippet", "--binary-display", "octal", ",65,66", tree.Root()}).status,
            kBadInput);
}

TEST(FindSnippet, ConversionFlagsDecodeTheSnippet) {
  WalkTestTree tree;
  // "ab" in UTF-16LE after a byte-order mark, found by its byte list.
  tree.File("wide.txt", std::string("\xFF\xFE"
                                    "a\0b\0",
                                    6));
  EXPECT_EQ(Find({"--snippet", "--from-utf16", "--options", "--comma-text", "a", tree.Root()}).out,
            Line(tree, "wide.txt", 2, "ab"));
  EXPECT_EQ(Find({"--snippet", "--utf16", "ab", tree.Root()}).out, Line(tree, "wide.txt", 2, "ab"));
}

TEST(FindSnippet, ConsoleTextHasNoControlCharacters) {
  EXPECT_EQ(SnippetForConsole(std::string("a\tb\r\n\0c\x7F", 8)), "a b   c ");
  // A trail byte that looks like a symbol is not touched.
  EXPECT_EQ(SnippetForConsole("表\\"), os::Cp932ForConsole("表\\"));
  EXPECT_EQ(HitLineWithSnippet("no equals sign", {}), "no equals sign\t");
}
