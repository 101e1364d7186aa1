#include "cli/find_command.h"

#include <chrono>
#include <ctime>

#include "cli/snippet_column.h"
#include "platform/fs/dir_listing.h"
#include "platform/os/console_text.h"
#include "results/history_file.h"
#include "results/list_search.h"
#include "search/file_walk.h"
#include "search/go_thread.h"
#include "search/hit_line.h"
#include "search/parse_search_content.h"

namespace trovex::cli {
namespace {

void WriteMessage(std::FILE* err, const std::string& cp932, os::OutputEncoding encoding) {
  os::WriteConsoleLine(err, os::Cp932ForConsole(cp932, encoding), encoding);
}

// Writes hit lines, each followed by a tab and its snippet when `snippet` is set.
void WriteLines(std::FILE* out, const std::vector<std::string>& lines,
                const std::optional<results::SnippetInputs>& snippet, os::OutputEncoding encoding) {
  for (const std::string& hitLine : lines) {
    os::WriteConsoleLine(out, snippet ? HitLineWithSnippet(hitLine, *snippet, encoding) : hitLine,
                         encoding);
  }
}

// --bytes-of: the byte list the conversion dialog shows for the text.
int WriteByteList(const std::string& text, viewer::ByteEncoding encoding, std::FILE* out,
                  std::FILE* err) {
  const std::optional<std::string> list = viewer::ByteListOf(text, encoding);
  if (!list) {
    std::fprintf(err, "trovex-find: TEXT has no form in this encoding\n");
    return kBadInput;
  }
  std::fwrite(list->data(), 1, list->size(), out);
  std::fputc('\n', out);
  std::fflush(out);
  return kFoundHits;
}

// --history-lines and --history-summary: a history file as the loader reads it.
int WriteHistory(const FindOptions& options, std::FILE* out, std::FILE* err) {
  const std::string& path = options.historyLines ? *options.historyLines : *options.historySummary;
  const std::optional<results::HistoryContent> history = results::LoadHistoryFile(path);
  if (!history) {
    os::WriteConsoleLine(err, "trovex-find: cannot read the history file " + path,
                         os::OutputEncoding::kAutomatic);
    return kBadInput;
  }
  if (options.historySummary) {
    os::WriteConsoleLine(out,
                         os::Cp932ForConsole(history->name, options.outputEncoding) + "\t" +
                             std::to_string(history->hitLines.size()),
                         options.outputEncoding);
    std::fflush(out);
    return kFoundHits;
  }
  WriteLines(out, history->hitLines, std::nullopt, options.outputEncoding);
  std::fflush(out);
  return history->hitLines.empty() ? kNoHits : kFoundHits;
}

// --save-history: the result saved as the result window saves it. PATH an existing
// folder takes a new time-named file.
bool SaveResult(const FindOptions& options, const results::HistoryContent& content, std::FILE* err) {
  const std::string& target = *options.saveHistory;
  std::optional<std::string> written;
  if (fs::IsExistingFolder(target)) {
    written = results::SaveNewHistory(target, content, std::time(nullptr));
  } else if (results::WriteHistoryFile(target, content)) {
    written = target;
  }
  os::WriteConsoleLine(err, (written ? "trovex-find: saved " + *written
                                     : "trovex-find: cannot save the history file " + target),
                       os::OutputEncoding::kAutomatic);
  return written.has_value();
}

// A new search's result, named after the content as typed.
results::HistoryContent NewResult(const FindOptions& options, std::vector<std::string> hitLines) {
  return {options.search.content, std::move(hitLines), {options.search.content},
          results::HistoryOptionBits(options.search)};
}

// --within: the files of a history file searched again for the content, as the
// result window's 絞込み検索 or, with --mark, its リストの検索. The result keeps its
// name, and the content joins its search contents.
int SearchWithin(const FindOptions& options, std::FILE* out, std::FILE* err) {
  const os::OutputEncoding encoding = options.outputEncoding;
  const search::SearchOptions listOptions = results::OptionsForListSearch(options.search);
  search::SearchQuery query;
  const auto report = [&](const std::string& message) { WriteMessage(err, message, encoding); };
  if (!search::ParseSearchContent(listOptions.content, listOptions, report, query)) return kBadInput;
  std::optional<results::HistoryContent> history = results::LoadHistoryFile(*options.within);
  if (!history) {
    os::WriteConsoleLine(err, "trovex-find: cannot read the history file " + *options.within,
                         os::OutputEncoding::kAutomatic);
    return kBadInput;
  }

  std::vector<results::HitRecord> rows;
  rows.reserve(history->hitLines.size());
  for (const std::string& line : history->hitLines) {
    results::HitRecord row;
    if (auto parts = search::SplitHitLine(line)) {
      row.path = std::move(parts->path);
      row.offsetText = std::move(parts->offsetText);
    } else {
      row.path = line;
    }
    rows.push_back(std::move(row));
  }
  results::ListSearchRun run;
  run.query = &query;
  run.matchOptions = search::MatchOptionsFor(listOptions, query.mode);
  search::ScanState scanState;
  scanState.readThroughCache = options.cached;
  const results::ListSearchKind kind =
      options.mark ? results::ListSearchKind::List : results::ListSearchKind::Refine;
  const results::ListSearchOutcome outcome = results::SearchWithinRows(rows, kind, run, scanState);

  std::vector<std::string> lines;
  lines.reserve(rows.size());
  for (const results::HitRecord& row : rows) lines.push_back(row.path + "=" + row.offsetText);
  std::optional<results::SnippetInputs> snippet;
  // The snippets take the text or byte form of the result's own name, as the
  // window's content box decides it.
  if (options.snippet) {
    snippet = results::ListSearchSnippetInputs(listOptions, query, history->name, options.binaryDisplay);
  }
  WriteLines(out, lines, snippet, encoding);
  std::fflush(out);
  if (options.saveHistory) {
    history->hitLines = std::move(lines);
    results::AddSearchContent(history->searchContents, options.search.content);
    history->optionBits = results::HistoryOptionBits(options.search);
    if (!SaveResult(options, *history, err)) return kBadInput;
  }
  return outcome.matched > 0 ? kFoundHits : kNoHits;
}

}  // namespace

int RunFind(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
  std::string error;
  std::optional<FindOptions> options = ParseFindOptions(arguments, error);
  if (!options) {
    // The error may quote a typed option, which is in the platform's own text.
    os::WriteConsoleLine(err, "trovex-find: " + error, os::OutputEncoding::kAutomatic);
    std::fprintf(err, "%s\n", FindUsage());
    return kBadInput;
  }
  if (options->historyLines || options->historySummary) return WriteHistory(*options, out, err);
  // The content is searched as CP932; the name fragments stay in the file names'
  // own encoding.
  const std::optional<std::string> content = os::TypedTextToCp932(options->search.content);
  if (!content) {
    std::fprintf(err, "trovex-find: %s has a character Shift-JIS (CP932) cannot hold\n",
                 options->bytesOf ? "TEXT" : "CONTENT");
    return kBadInput;
  }
  options->search.content = *content;
  if (options->bytesOf) return WriteByteList(options->search.content, *options->bytesOf, out, err);
  if (options->within) return SearchWithin(*options, out, err);

  search::SearchQuery query;
  const os::OutputEncoding encoding = options->outputEncoding;
  const auto report = [&](const std::string& message) { WriteMessage(err, message, encoding); };
  if (!search::ParseSearchContent(options->search.content, options->search, report, query)) {
    return kBadInput;
  }

  search::SearchLocations locations;
  locations.everyDrive = options->locations.empty();
  locations.paths = options->locations;
  const search::SearchConditions conditions = search::ConditionsFor(options->search);
  search::SearchProgress progress;
  if (options->count) {
    const std::uint32_t total = search::CountFiles(locations, conditions, progress);
    progress.totalFiles = total;
    std::fprintf(err, "%u\n", static_cast<unsigned>(total));
  }

  std::optional<results::SnippetInputs> snippet;
  if (options->snippet) snippet = results::SnippetInputsFor(options->search, query, options->binaryDisplay);

  search::ScanState scanState;
  scanState.readThroughCache = options->cached;
  std::size_t written = 0;
  {
    search::TGoThread worker(locations, query, search::MatchOptionsFor(options->search, query.mode), conditions,
                             scanState, progress, options->threads);
    // Like the result window: take the new lines every 10 ms while the worker runs.
    while (!worker.WaitFor(std::chrono::milliseconds(10))) {
      const std::vector<std::string> lines = progress.hitList.LinesFrom(written);
      WriteLines(out, lines, snippet, encoding);
      written += lines.size();
      if (!lines.empty()) std::fflush(out);
    }
  }
  const std::vector<std::string> rest = progress.hitList.LinesFrom(written);
  WriteLines(out, rest, snippet, encoding);
  written += rest.size();
  std::fflush(out);
  if (options->saveHistory && !SaveResult(*options, NewResult(*options, progress.hitList.LinesFrom(0)), err))
    return kBadInput;
  return written > 0 ? kFoundHits : kNoHits;
}

}  // namespace trovex::cli
