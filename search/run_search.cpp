#include "search/run_search.h"

namespace trovex::search {

void RunSearch(const SearchLocations& locations, const SearchConditions& conditions,
               const SearchQuery& query, const MatchOptions& options, ScanState& scanState,
               SearchProgress& progress) {
  const FileSearcher searchFile = [&](const std::string& path) {
    return SearchFile(path, query, options, scanState, progress.cancelRequested);
  };
  RunSearch(locations, conditions, searchFile, progress);
}

}  // namespace trovex::search
