#include "search/run_search.h"

namespace trovex::search {

void RunSearch(const SearchLocations& locations, const SearchConditions& conditions,
               const SearchQuery& query, const MatchOptions& options, ScanState& scanState,
               SearchProgress& progress) {
  const FileSearcher searchFile = [&](const std::string& path, const fs::ListedFile& listed) {
    return SearchFile(path, query, options, scanState, progress.cancelRequested, listed);
  };
  RunSearch(locations, conditions, searchFile, progress);
}

}  // namespace trovex::search
