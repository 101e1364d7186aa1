#include "cli/find_command.h"

#include <chrono>
#include <ctime>

#include "cli/snippet_column.h"
#include "platform/fs/dir_listing.h"
#include "platform/os/console_text.h"
#include "results/history_file.h"
#include "search/file_walk.h"
#include "search/go_thread.h"
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

// --save-history: the result saved as the result window saves it, named after the
// content as typed. PATH an existing folder takes a new time-named file.
bool SaveResult(const FindOptions& options, const std::vector<std::string>& hitLines, std::FILE* err) {
  const std::string& target = *options.saveHistory;
  const results::HistoryContent content{options.search.content, hitLines, {options.search.content},
                                        results::HistoryOptionBits(options.search)};
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
                             scanState, progress);
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
  if (options->saveHistory && !SaveResult(*options, progress.hitList.LinesFrom(0), err)) return kBadInput;
  return written > 0 ? kFoundHits : kNoHits;
}

}  // namespace trovex::cli
