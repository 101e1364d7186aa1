#pragma once
// Searching a result within itself: every row's file is searched again with
// another content, without walking any folder. 絞込み検索 (refine) drops the rows
// whose file lacks it, リストの検索 (list search) keeps every row and marks those
// mismatched, and the rename's re-search matches every row against the new name.
// The result window and trovex-find --within both run their rows through here.
#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/hit_record.h"
#include "results/hit_snippet.h"
#include "search/file_scan.h"
#include "search/search_options.h"
#include "search/search_query.h"

namespace trovex::results {

// The tags of the two menu items.
enum class ListSearchKind : int { Refine = 0, List = 1 };

inline constexpr const char* kRefineCaption = "絞込み検索";
inline constexpr const char* kListSearchCaption = "リストの検索";
inline constexpr const char* kListSearchPrompt = "検索する内容を入力";

// The caption of the input box that asks for the content.
const char* ListSearchCaption(ListSearchKind kind);

// "<count> 個のファイルが見つかりました。"
std::string FilesFoundMessage(std::size_t count);

// How one search within the rows runs.
struct ListSearchRun {
  const search::SearchQuery* query = nullptr;
  search::MatchOptions matchOptions;
  // The snippets of matching rows; without it their content is left alone.
  std::optional<SnippetInputs> snippet;
  // Set by the user's stop (中止); read before every row and every file read.
  const std::atomic<bool>* cancel = nullptr;
  // Runs before each row (the window processes its pending messages here, so
  // that 中止 can be pressed); the stop is looked at after it.
  std::function<void()> beforeRow;
  // Runs after each row that was searched (the progress bar's step).
  std::function<void()> afterRow;
};

struct ListSearchOutcome {
  std::size_t visited = 0;  // rows whose file was searched
  std::size_t matched = 0;  // ... and held the content
  // List search: the matching row nearest the top. Refine: none.
  std::optional<std::size_t> topMatch;
  bool removedAny = false;
  bool stopped = false;  // the stop came before every row was visited
};

// 絞込み検索 and リストの検索: the rows are visited from the last to the first (a
// removal never shifts a row still to come). A matching row takes the new
// offset and snippet. A row that does not match (an unreadable file does not) is
// dropped by a refine and keeps its content, marked mismatched, in a list
// search. A stop leaves the row at hand and every row above it as they were:
// a row is never changed by a scan the stop cut short.
ListSearchOutcome SearchWithinRows(std::vector<HitRecord>& rows, ListSearchKind kind,
                                   const ListSearchRun& run, search::ScanState& scan);

// The rename's re-search, top to bottom: every visited row takes the new offset,
// or is marked mismatched with an empty content when its file does not match.
ListSearchOutcome SearchRowsAgain(std::vector<HitRecord>& rows, const ListSearchRun& run,
                                  search::ScanState& scan);

// The options a content typed for a search within the list is parsed and matched
// under: the main window's at this moment, without what belongs to a walk or to
// the main window's own content (name fragments, a conversion).
search::SearchOptions OptionsForListSearch(search::SearchOptions current);

// The snippet rules during a search within the list: the choice of text or bytes
// follows the content the window shows (`contentBoxText`), the rest the new query.
SnippetInputs ListSearchSnippetInputs(const search::SearchOptions& options,
                                      const search::SearchQuery& query,
                                      std::string_view contentBoxText, BinaryDisplay binaryDisplay);

// Appends `content` to the result's search contents unless it is there already
// (letter case ignored as the locale lowers it). True when it was appended.
bool AddSearchContent(std::vector<std::string>& contents, const std::string& content);

}  // namespace trovex::results
