#include "cli/find_command.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <mutex>

#include "cli/snippet_column.h"
#include "platform/fs/dir_listing.h"
#include "platform/fs/path_separator.h"
#include "platform/fs/read_at.h"
#include "platform/fs/system_error.h"
#include "platform/os/console_text.h"
#include "results/history_file.h"
#include "results/list_search.h"
#include "search/file_walk.h"
#include "search/folder_path.h"
#include "search/go_thread.h"
#include "search/hit_line.h"
#include "search/parse_search_content.h"

namespace trovex::cli {
namespace {

void WriteMessage(std::FILE* err, const std::string& cp932, os::OutputEncoding encoding) {
  os::WriteConsoleLine(err, os::Cp932ForConsole(cp932, encoding), encoding);
}

int WriteFailed(std::FILE* err, int error) {
  std::fprintf(err, "trovex-find: cannot write the results: %s\n", std::strerror(error));
  std::fflush(err);
  return kBadInput;
}

// `status` once what went to `out` is written; kBadInput, said on `err`, if it cannot be.
int Finish(std::FILE* out, std::FILE* err, int status) {
  if (std::fflush(out) == EOF || std::ferror(out))
    return WriteFailed(err, errno != 0 ? errno : EIO);
  return status;
}

// The result lines on standard output: each ends with a line break, or with a NUL
// under --null. The first failed write (a full disk, a closed pipe) is kept.
class ResultOutput {
 public:
  ResultOutput(std::FILE* out, const FindOptions& options)
      : out_(out), encoding_(options.outputEncoding), lineEnd_(options.nullEnds ? '\0' : '\n') {}

  // Writes lines as they are.
  void Write(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      if (Failed()) return;
      os::WriteConsoleLine(out_, line, encoding_, lineEnd_);
      Check();
    }
  }

  // Writes the hit line of each hit, followed by a tab and its snippet when
  // `snippet` is set.
  void Write(const std::vector<search::Hit>& hits,
             const std::optional<results::SnippetInputs>& snippet = std::nullopt) {
    for (const search::Hit& hit : hits) {
      if (Failed()) return;
      os::WriteConsoleLine(
          out_, snippet ? HitLineWithSnippet(hit, *snippet, encoding_) : search::FormatHitLine(hit),
          encoding_, lineEnd_);
      Check();
    }
  }

  // Flushes the stream; false once a write has failed.
  bool Flush() {
    if (!Failed() && std::fflush(out_) == EOF) error_ = errno != 0 ? errno : EIO;
    Check();
    return !Failed();
  }

  bool Failed() const { return error_ != 0; }

  // Says on `err` that the results could not be written; returns the exit status.
  int ReportFailure(std::FILE* err) const { return WriteFailed(err, error_); }

 private:
  void Check() {
    if (!Failed() && std::ferror(out_)) error_ = errno != 0 ? errno : EIO;
  }

  std::FILE* out_;
  os::OutputEncoding encoding_;
  char lineEnd_;
  int error_ = 0;
};

// Names on standard error, one line each, the folders and files the walk could
// not read ("trovex-find: PATH: reason"), and notes whether a location itself failed.
class ReadFailures {
 public:
  ReadFailures(std::FILE* err, os::OutputEncoding encoding,
               const std::vector<std::string>& locations)
      : err_(err), encoding_(encoding), locations_(locations) {
    for (const std::string& location : locations)
      walkedLocations_.push_back(search::NormalizeFolderPath(location));
  }

  // Called on the worker thread.
  void Report(const std::string& path, int systemError) {
    std::string shown = path;
    const auto location = std::find(walkedLocations_.begin(), walkedLocations_.end(), path);
    if (location != walkedLocations_.end()) {
      shown = locations_[static_cast<std::size_t>(location - walkedLocations_.begin())];
      locationFailed_ = true;
    } else if (shown.size() > 1 && shown.back() == fs::kPathSeparator) {
      shown.pop_back();  // the separator the walk adds to a folder's path
    }
    // The path is in the platform's own text, as the hit lines are. Scanners on
    // several threads report: one line at a time.
    std::lock_guard<std::mutex> lock(mutex_);
    os::WriteConsoleLine(err_, "trovex-find: " + shown + ": " + fs::SystemErrorText(systemError),
                         encoding_);
    std::fflush(err_);
  }

  bool LocationFailed() const { return locationFailed_.load(); }

 private:
  std::mutex mutex_;
  std::FILE* err_;
  os::OutputEncoding encoding_;
  const std::vector<std::string>& locations_;
  std::vector<std::string> walkedLocations_;
  std::atomic<bool> locationFailed_{false};
};

// The options given that only act with the option panel open say so. A saved
// history keeps the matching rules among its options, so --save-history gives
// those an effect of their own.
void WarnPanelOnlyOptions(const FindOptions& options, std::FILE* err) {
  if (options.search.optionsOpen) return;
  for (const std::string& name : options.panelOnlyGiven) {
    const bool saved = name == "--case" || name == "--fold" || name == "--comma-text";
    if (saved && options.saveHistory) continue;
    std::fprintf(err, "trovex-find: %s has no effect without --options\n", name.c_str());
  }
}

// --content-file: the file's bytes less one final line break, which an editor or
// echo leaves after a text.
std::optional<std::string> ReadContentFile(const std::string& path, std::FILE* err) {
  std::optional<std::string> content = fs::ReadAllBytes(path);
  if (!content) {
    os::WriteConsoleLine(err, "trovex-find: " + path + ": cannot read the content file",
                         os::OutputEncoding::kAutomatic);
    return std::nullopt;
  }
  if (!content->empty() && content->back() == '\n') content->pop_back();
  if (!content->empty() && content->back() == '\r') content->pop_back();
  return content;
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
  return Finish(out, err, kFoundHits);
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
  ResultOutput output(out, options);
  if (options.historySummary) {
    output.Write({os::Cp932ForConsole(history->name, options.outputEncoding) + "\t" +
                  std::to_string(history->hits.size())});
  } else {
    output.Write(history->hits);
  }
  if (!output.Flush()) return output.ReportFailure(err);
  return options.historyLines && history->hits.empty() ? kNoHits : kFoundHits;
}

// --save-history: the result saved as the result window saves it. PATH an existing
// folder takes a new time-named file.
bool SaveResult(const FindOptions& options, const results::HistoryContent& content,
                std::FILE* err) {
  const std::string& target = *options.saveHistory;
  std::optional<std::string> written;
  if (fs::IsExistingFolder(target)) {
    written = results::SaveNewHistory(target, content, std::time(nullptr));
  } else if (results::WriteHistoryFile(target, content)) {
    written = target;
  }
  os::WriteConsoleLine(err,
                       (written ? "trovex-find: saved " + *written
                                : "trovex-find: cannot save the history file " + target),
                       os::OutputEncoding::kAutomatic);
  return written.has_value();
}

// A new search's result, named after the content as typed.
results::HistoryContent NewResult(const FindOptions& options, std::vector<search::Hit> hits) {
  return {options.search.content,
          std::move(hits),
          {options.search.content},
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
  if (!search::ParseSearchContent(listOptions.content, listOptions, report, query))
    return kBadInput;
  if (query.mode == search::SearchMode::Numbers && query.patternLength == 0) {
    report(search::kEmptyContentMessage);
    return kBadInput;
  }
  std::optional<results::HistoryContent> history = results::LoadHistoryFile(*options.within);
  if (!history) {
    os::WriteConsoleLine(err, "trovex-find: cannot read the history file " + *options.within,
                         os::OutputEncoding::kAutomatic);
    return kBadInput;
  }

  std::vector<results::HitRecord> rows;
  rows.reserve(history->hits.size());
  for (search::Hit& hit : history->hits) {
    results::HitRecord& row = rows.emplace_back();
    static_cast<search::Hit&>(row) = std::move(hit);
  }
  results::ListSearchRun run;
  run.query = &query;
  run.matchOptions = search::MatchOptionsFor(listOptions, query.mode);
  search::ScanState scanState;
  scanState.readThroughCache = options.cached;
  scanState.bypassEveryFile = options.unbuffered;
  const results::ListSearchKind kind =
      options.mark ? results::ListSearchKind::List : results::ListSearchKind::Refine;
  const results::ListSearchOutcome outcome = results::SearchWithinRows(rows, kind, run, scanState);

  std::vector<search::Hit> hits(rows.begin(), rows.end());
  std::optional<results::SnippetInputs> snippet;
  // The snippets take the text or byte form of the result's own name, as the
  // window's content box decides it.
  if (options.snippet) {
    snippet =
        results::ListSearchSnippetInputs(listOptions, query, history->name, options.binaryDisplay);
  }
  ResultOutput output(out, options);
  output.Write(hits, snippet);
  if (!output.Flush()) return output.ReportFailure(err);
  if (options.saveHistory) {
    history->hits = std::move(hits);
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
  if (options->help || options->version) {
    std::fprintf(out, "%s\n", options->help ? FindUsage() : FindVersion());
    if (options->help) std::fprintf(out, "\n%s\n", FindHelp());
    return Finish(out, err, kFoundHits);
  }
  if (options->historyLines || options->historySummary) return WriteHistory(*options, out, err);
  WarnPanelOnlyOptions(*options, err);
  if (options->contentFile) {
    std::optional<std::string> typed = ReadContentFile(*options->contentFile, err);
    if (!typed) return kBadInput;
    options->search.content = std::move(*typed);
  }
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
  // "," or " , " is a byte list without a byte: nothing to look for, as with no content.
  if (query.mode == search::SearchMode::Numbers && query.patternLength == 0) {
    report(search::kEmptyContentMessage);
    return kBadInput;
  }

  search::SearchLocations locations;
  locations.everyDrive = options->locations.empty();
  locations.paths = options->locations;
  const search::SearchConditions conditions = search::ConditionsFor(options->search);
  search::SearchProgress progress;
  ReadFailures failures(err, encoding, options->locations);
  // The folders the count lists are the run's: it does not list them again.
  std::shared_ptr<search::WalkRecord> record;
  if (options->count) {
    record = std::make_shared<search::WalkRecord>();
    const std::uint32_t total =
        search::CountFiles(locations, conditions, progress, {}, record.get());
    progress.totalFiles = total;
    std::fprintf(err, "%u\n", static_cast<unsigned>(total));
    if (!record->Whole()) record.reset();
  }

  std::optional<results::SnippetInputs> snippet;
  if (options->snippet)
    snippet = results::SnippetInputsFor(options->search, query, options->binaryDisplay);

  search::ScanState scanState;
  scanState.readThroughCache = options->cached;
  scanState.bypassEveryFile = options->unbuffered;
  const auto reportFailure = [&failures](const std::string& path, int systemError) {
    failures.Report(path, systemError);
  };
  progress.folderFailure = reportFailure;
  scanState.fileFailure = reportFailure;
  ResultOutput output(out, *options);
  std::size_t written = 0;
  {
    search::TGoThread worker(locations, query, search::MatchOptionsFor(options->search, query.mode),
                             conditions, scanState, progress, options->threads, record);
    // Like the result window: take the new lines every 10 ms while the worker runs.
    // A failed write stops the search: nobody reads its results any more.
    while (!worker.WaitFor(std::chrono::milliseconds(10))) {
      const std::vector<search::Hit> hits = progress.hitList.HitsFrom(written);
      output.Write(hits, snippet);
      written += hits.size();
      if (!hits.empty() && !output.Flush()) progress.cancelRequested = true;
    }
  }
  const std::vector<search::Hit> rest = progress.hitList.HitsFrom(written);
  output.Write(rest, snippet);
  written += rest.size();
  if (!output.Flush()) return output.ReportFailure(err);
  if (options->saveHistory &&
      !SaveResult(*options, NewResult(*options, progress.hitList.Hits()), err))
    return kBadInput;
  if (written > 0) return kFoundHits;
  return failures.LocationFailed() ? kBadInput : kNoHits;
}

}  // namespace trovex::cli
