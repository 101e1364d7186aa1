#include "results/list_search.h"

#include <algorithm>
#include <utility>

#include "platform/text/lower_case.h"

namespace trovex::results {
namespace {

const std::atomic<bool> kNeverStopped{false};

const std::atomic<bool>& CancelOf(const ListSearchRun& run) {
  return run.cancel != nullptr ? *run.cancel : kNeverStopped;
}

// Before a row is touched: the messages are processed first, and a stop pressed
// while they were is obeyed at once, not one row later.
bool StopBeforeRow(const ListSearchRun& run) {
  if (CancelOf(run).load()) return true;
  if (run.beforeRow) run.beforeRow();
  return CancelOf(run).load();
}

void SetMatch(HitRecord& row, std::uint64_t offset, const ListSearchRun& run) {
  row.offset = offset;
  row.mismatched = false;
  row.found.reset();  // the bytes of the hit the row had
  if (!run.snippet) return;
  row.content = HitSnippet(row, *run.snippet);
  row.contentDue = false;
}

void DropRows(std::vector<HitRecord>& rows, const std::vector<bool>& dropped) {
  std::size_t kept = 0;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (dropped[row]) continue;
    if (kept != row) rows[kept] = std::move(rows[row]);
    ++kept;
  }
  rows.resize(kept);
}

}  // namespace

const char* ListSearchCaption(ListSearchKind kind) {
  return kind == ListSearchKind::Refine ? kRefineCaption : kListSearchCaption;
}

std::string FilesFoundMessage(std::size_t count) {
  return std::to_string(count) + " 個のファイルが見つかりました。";
}

ListSearchOutcome SearchWithinRows(std::vector<HitRecord>& rows, ListSearchKind kind,
                                   const ListSearchRun& run, search::ScanState& scan) {
  ListSearchOutcome outcome;
  const std::atomic<bool>& cancel = CancelOf(run);
  // Dropped rows go at the end, in one pass: the rows keep their places while the
  // window still shows them.
  std::vector<bool> dropped(rows.size(), false);
  for (std::size_t row = rows.size(); row-- > 0;) {
    if (StopBeforeRow(run)) {
      outcome.stopped = true;
      break;
    }
    const std::optional<std::uint64_t> found =
        search::SearchFile(rows[row].path, *run.query, run.matchOptions, scan, cancel);
    if (!found && cancel.load()) {  // the scan was cut short: this row was not searched
      outcome.stopped = true;
      break;
    }
    ++outcome.visited;
    if (found) {
      ++outcome.matched;
      if (kind == ListSearchKind::List) outcome.topMatch = row;
      SetMatch(rows[row], *found, run);
    } else if (kind == ListSearchKind::Refine) {
      dropped[row] = true;
      outcome.removedAny = true;
    } else {
      rows[row].mismatched = true;
    }
    if (run.afterRow) run.afterRow();
  }
  if (outcome.removedAny) DropRows(rows, dropped);
  return outcome;
}

ListSearchOutcome SearchRowsAgain(std::vector<HitRecord>& rows, const ListSearchRun& run,
                                  search::ScanState& scan) {
  ListSearchOutcome outcome;
  const std::atomic<bool>& cancel = CancelOf(run);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (StopBeforeRow(run)) {
      outcome.stopped = true;
      break;
    }
    const std::optional<std::uint64_t> found =
        search::SearchFile(rows[row].path, *run.query, run.matchOptions, scan, cancel);
    if (!found && cancel.load()) {
      outcome.stopped = true;
      break;
    }
    ++outcome.visited;
    if (found) {
      ++outcome.matched;
      if (!outcome.topMatch) outcome.topMatch = row;
      SetMatch(rows[row], *found, run);
    } else {
      rows[row].mismatched = true;
      rows[row].content.clear();
      rows[row].contentDue = false;
    }
    if (run.afterRow) run.afterRow();
  }
  return outcome;
}

search::SearchOptions OptionsForListSearch(search::SearchOptions current) {
  // An empty content is never accepted for lack of name fragments, and the typed
  // content is the one shown, whatever the conversion dialog left behind.
  current.nameFilter.clear();
  current.excludeNames = false;
  current.conversionSource.clear();
  current.fromUtf8 = false;
  current.fromUtf16 = false;
  return current;
}

SnippetInputs ListSearchSnippetInputs(const search::SearchOptions& options,
                                      const search::SearchQuery& query,
                                      std::string_view contentBoxText,
                                      BinaryDisplay binaryDisplay) {
  SnippetInputs inputs = SnippetInputsFor(options, query, binaryDisplay);
  inputs.contentFirstChar = contentBoxText.empty() ? '\0' : contentBoxText.front();
  inputs.keptBytesServe = false;  // the hits were found with another content
  return inputs;
}

bool AddSearchContent(std::vector<std::string>& contents, const std::string& content) {
  const std::string lowered = text::AnsiLowerCase(content);
  const bool listed = std::any_of(contents.begin(), contents.end(), [&](const std::string& c) {
    return text::AnsiLowerCase(c) == lowered;
  });
  if (!listed) contents.push_back(content);
  return !listed;
}

}  // namespace trovex::results
