// History files of any bytes: the reader never faults, the loader and the history
// list's summary agree on the name and the number of hits, and what the reader
// made of a file is written and read back unchanged.
#include <cstdio>
#include <cstdlib>

#include "fuzz_file.h"
#include "results/history_file.h"

using namespace trovex;

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

bool Same(const results::HistoryContent& a, const results::HistoryContent& b) {
  return a.name == b.name && a.hitLines == b.hitLines && a.searchContents == b.searchContents &&
         a.optionBits == b.optionBits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  for (const results::PathStyle style : {results::PathStyle::Windows, results::PathStyle::Posix}) {
    const results::HistoryContent parsed = results::ParseHistoryText(text, style);
    const results::HistoryContent again =
        results::ParseHistoryText(results::HistoryFileText(parsed, style), style);
    if (!Same(parsed, again)) Fail("a history read, written and read again changed");
  }

  const std::string path = fuzzing::WriteFuzzFile(text, ".txd");
  const auto loaded = results::LoadHistoryFile(path);
  const auto summary = results::ReadHistorySummary(path);
  if (!loaded || !summary) Fail("a readable history file was not read");
  if (summary->name != loaded->name) Fail("the summary's name differs from the loaded one");
  if (summary->hitCount != loaded->hitLines.size()) Fail("the summary's hit count differs");
  return 0;
}
