#include "search/run_search.h"

#include "search/ordered_scan.h"

namespace trovex::search {

void RunSearch(const SearchLocations& locations, const SearchConditions& conditions,
               const SearchQuery& query, const MatchOptions& options, ScanState& scanState,
               SearchProgress& progress, unsigned scanners, const WalkRecord* record) {
  const bool chosen = scanners == 0;
  if (chosen) scanners = DefaultScannerCount();
  if (scanners > 1) {
    OrderedScan files(scanners, query, options, scanState, progress, chosen);
    RunWalk(locations, conditions, files, progress, record);
    files.Finish();
    return;
  }
  const FileSearcher searchFile = [&](const std::string& path,
                                      const fs::ListedFile& listed) -> std::optional<FileHit> {
    const auto offset =
        SearchFile(path, query, options, scanState, progress.cancelRequested, listed);
    if (!offset) return std::nullopt;
    return FileHit(*offset, std::move(scanState.found));
  };
  RunSearch(locations, conditions, searchFile, progress, record);
}

}  // namespace trovex::search
