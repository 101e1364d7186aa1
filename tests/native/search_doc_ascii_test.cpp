#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "search/file_scan.h"
#include "search/parse_search_content.h"
#include "search/search_options.h"

using namespace trovex::search;
namespace stdfs = std::filesystem;

namespace {

std::string Wide(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

// Word keeps a document's text in one-byte or in UTF-16 pieces: a word of ASCII
// letters and digits is looked for in both forms, also when only Shift-JIS is
// searched, and the earlier hit wins.
TEST(DocAsciiWords, FoundInOneByteAndUtf16Pieces) {
  const stdfs::path dir =
      stdfs::temp_directory_path() / ("trovex-doc-" + std::to_string(std::random_device{}()));
  stdfs::create_directories(dir);
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return (dir / name).string();
  };
  const std::string wideFirst =
      write("a.doc", std::string(64, '\0') + Wide("by Rossum") + std::string(9, 'x') + "Rossum");
  const std::string narrowFirst = write("b.DOC", "Rossum " + Wide("Rossum"));
  const std::string text = write("c.txt", Wide("Rossum"));

  ScanState state;
  std::atomic<bool> cancel{false};
  for (bool shiftJisOnly : {true, false}) {
    SCOPED_TRACE(shiftJisOnly);
    SearchOptions options;
    options.optionsOpen = true;
    if (shiftJisOnly) options.encodings = EncodingSet::Only(TextEncoding::ShiftJis);
    SearchQuery query;
    ASSERT_TRUE(ParseSearchContent("Rossum", options, nullptr, query));
    const MatchOptions match = MatchOptionsFor(options, query.mode);
    EXPECT_EQ(SearchFile(wideFirst, query, match, state, cancel), 64u + 6u);
    EXPECT_EQ(SearchFile(narrowFirst, query, match, state, cancel), 0u);
    // Other files keep their rules: Shift-JIS alone finds no UTF-16 text there.
    EXPECT_EQ(SearchFile(text, query, match, state, cancel).has_value(), !shiftJisOnly);
  }
  std::error_code ignored;
  stdfs::remove_all(dir, ignored);
}

}  // namespace
