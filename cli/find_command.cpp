#include "cli/find_command.h"

#include <chrono>

#include "cli/snippet_column.h"
#include "platform/os/console_text.h"
#include "search/file_walk.h"
#include "search/go_thread.h"
#include "search/name_terms.h"

namespace trovex::cli {
namespace {

void WriteMessage(std::FILE* err, const std::string& cp932) {
  const std::string text = os::Cp932ForConsole(cp932);
  std::fprintf(err, "%s\n", text.c_str());
}

// Writes hit lines, each followed by a tab and its snippet when `snippet` is set.
void WriteLines(std::FILE* out, const std::vector<std::string>& lines,
                const std::optional<results::SnippetInputs>& snippet) {
  for (const std::string& hitLine : lines) {
    const std::string line = snippet ? HitLineWithSnippet(hitLine, *snippet) : hitLine;
    std::fwrite(line.data(), 1, line.size(), out);
    std::fputc('\n', out);
  }
}

}  // namespace

search::ParseInputs MakeParseInputs(const FindOptions& options) {
  search::ParseInputs inputs;
  inputs.Edit2Text = options.Edit2Text;
  inputs.OptionChkBox = options.OptionChkBox;
  inputs.CheckBox1 = options.CheckBox1;
  inputs.Utf16ChkBox = options.Utf16ChkBox;
  inputs.BigSmlChkBox = options.BigSmlChkBox;
  inputs.FullHalfChkBox = options.FullHalfChkBox;
  return inputs;
}

search::SearchConditions MakeConditions(const FindOptions& options) {
  search::SearchConditions c;
  c.optionsOpen = options.OptionChkBox;
  c.searchText = options.content;
  c.nameTerms = search::BuildNameTerms(options.Edit2Text, options.BigSmlChkBox);
  c.excludeNames = options.JogaiChkBox1;
  c.nameCaseSensitive = options.BigSmlChkBox;
  c.sizeFilterOn = options.SizeChkBox;
  c.sizeAtLeast = options.sizeAtLeast;
  c.sizeLimit = search::ComputeSizeLimit(options.sizeNumber, options.sizeUnitIndex);
  c.dateFilterOn = options.DateChkMenu;
  c.yearText = options.yearText;
  c.dateFrom = options.dateFrom;
  c.dateTo = options.dateTo;
  c.excludeDates = options.JogaiChkBox2;
  c.includeHidden = options.HideChkBox;
  c.includeSystem = options.SysChkBox;
  return c;
}

search::MatchOptions MakeMatchOptions(const FindOptions& options, search::SearchMode mode) {
  search::MatchOptions m;
  m.caseSensitive = options.OptionChkBox && options.BigSmlChkBox;
  m.foldedCaseSensitive = options.BigSmlChkBox;
  m.skipLineBreaks = options.CheckBox2;
  m.foldWidthAndKana = options.OptionChkBox && !options.FullHalfChkBox;
  m.mode = mode;
  return m;
}

int RunFind(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
  std::string error;
  std::optional<FindOptions> options = ParseFindOptions(arguments, error);
  if (!options) {
    std::fprintf(err, "trovex-find: %s\n%s\n", error.c_str(), FindUsage());
    return kBadInput;
  }
  // The content is searched as CP932; the name fragments stay in the file names'
  // own encoding.
  const std::optional<std::string> content = os::TypedTextToCp932(options->content);
  if (!content) {
    std::fprintf(err, "trovex-find: CONTENT has a character Shift-JIS (CP932) cannot hold\n");
    return kBadInput;
  }
  options->content = *content;

  search::SearchQuery query;
  const auto report = [&](const std::string& message) { WriteMessage(err, message); };
  if (!search::ParseSearchContent(options->content, MakeParseInputs(*options), report, query)) {
    return kBadInput;
  }

  search::SearchLocations locations;
  locations.everyDrive = options->locations.empty();
  locations.paths = options->locations;
  const search::SearchConditions conditions = MakeConditions(*options);
  search::SearchProgress progress;
  if (options->count) {
    const std::uint32_t total = search::CountFiles(locations, conditions, progress);
    progress.totalFiles = total;
    std::fprintf(err, "%u\n", static_cast<unsigned>(total));
  }

  std::optional<results::SnippetInputs> snippet;
  if (options->snippet) snippet = MakeSnippetInputs(*options, query);

  search::ScanState scanState;
  scanState.readThroughCache = options->cached;
  std::size_t written = 0;
  {
    search::TGoThread worker(locations, query, MakeMatchOptions(*options, query.mode), conditions,
                             scanState, progress);
    // Like the result window: take the new lines every 10 ms while the worker runs.
    while (!worker.WaitFor(std::chrono::milliseconds(10))) {
      const std::vector<std::string> lines = progress.hitList.LinesFrom(written);
      WriteLines(out, lines, snippet);
      written += lines.size();
      if (!lines.empty()) std::fflush(out);
    }
  }
  const std::vector<std::string> rest = progress.hitList.LinesFrom(written);
  WriteLines(out, rest, snippet);
  written += rest.size();
  std::fflush(out);
  return written > 0 ? kFoundHits : kNoHits;
}

}  // namespace trovex::cli
