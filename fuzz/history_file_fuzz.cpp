// History files of any bytes: the reader never faults, the loader and the history
// list's summary agree on the name and the number of hits, and a history the
// program wrote reads back as it was written. (The first write may drop what a
// foreign file held that is no hit line, and keeps a path once; what it wrote
// must then stay as it is.)
#include <cstdio>
#include <cstdlib>
#include <set>

#include "fuzz_file.h"
#include "platform/text/lower_case.h"
#include "results/history_file.h"
#include "search/hit_line.h"

using namespace trovex;

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

void Print(const char* label, const std::string& text) {
  std::fprintf(stderr, "  %s \"", label);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\')
      std::fputc(c, stderr);
    else
      std::fprintf(stderr, "\\x%02X", byte);
  }
  std::fprintf(stderr, "\"\n");
}

// Shows a history for the report of a finding.
void Print(const char* label, const results::HistoryContent& content) {
  std::fprintf(stderr, "%s (frg %d):\n", label, content.optionBits);
  Print("name", content.name);
  for (const search::Hit& hit : content.hits) Print("hit", search::FormatHitLine(hit));
  for (const std::string& searched : content.searchContents) Print("content", searched);
}

// A hit line as the file system tells it from others.
std::string PathKey(const std::string& line, results::PathStyle style) {
  return style == results::PathStyle::Windows ? text::AnsiLowerCase(line) : line;
}

// A folder section holds each name once: a history keeps a path only once, on
// Windows whatever its letter case, as the file system takes it.
bool DistinctPaths(const results::HistoryContent& content, results::PathStyle style) {
  std::set<std::string> paths;
  for (const search::Hit& hit : content.hits) {
    if (!paths.insert(PathKey(hit.path, style)).second) return false;
  }
  return true;
}

// The same history; the hit lines in any order, since the file groups them by folder
// and two section names may spell one folder ("C:" and "C:\"), and on Windows in any
// letter case (a folder keeps the spelling it first came with).
bool Same(const results::HistoryContent& a, const results::HistoryContent& b,
          results::PathStyle style) {
  std::multiset<std::string> hitsA, hitsB;
  for (const search::Hit& hit : a.hits) hitsA.insert(PathKey(search::FormatHitLine(hit), style));
  for (const search::Hit& hit : b.hits) hitsB.insert(PathKey(search::FormatHitLine(hit), style));
  return a.name == b.name && hitsA == hitsB && a.searchContents == b.searchContents &&
         a.optionBits == b.optionBits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  for (const results::PathStyle style : {results::PathStyle::Windows, results::PathStyle::Posix}) {
    const results::HistoryContent parsed = results::ParseHistoryText(text, style);
    const results::HistoryContent written =
        results::ParseHistoryText(results::HistoryFileText(parsed, style), style);
    const results::HistoryContent again =
        results::ParseHistoryText(results::HistoryFileText(written, style), style);
    if (DistinctPaths(written, style) && !Same(written, again, style)) {
      Print("written", written);
      Print("read back", again);
      Fail("a history the program wrote read back changed");
    }
  }

  const std::string path = fuzzing::WriteFuzzFile(text, ".txd");
  const auto loaded = results::LoadHistoryFile(path);
  const auto summary = results::ReadHistorySummary(path);
  if (!loaded || !summary) Fail("a readable history file was not read");
  if (summary->name != loaded->name) Fail("the summary's name differs from the loaded one");
  if (summary->hitCount != loaded->hits.size()) Fail("the summary's hit count differs");
  return 0;
}
