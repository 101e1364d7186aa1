#pragma once
// A search run over the chosen locations with the content matcher.
#include "search/file_scan.h"
#include "search/file_walk.h"
#include "search/match_options.h"
#include "search/search_query.h"

namespace trovex::search {

// RunSearch with SearchFile as the look into each file; cancelRequested also stops
// a file's scan before its next read. `scanners` threads look into the files;
// with more than one, `scanState` serves the first and the hit list, its order
// and what a stop keeps are those of one thread. 0 chooses: DefaultScannerCount(),
// but one reader for the locations on a volume with a seek penalty. `record`: see
// the other RunSearch.
void RunSearch(const SearchLocations& locations, const SearchConditions& conditions,
               const SearchQuery& query, const MatchOptions& options, ScanState& scanState,
               SearchProgress& progress, unsigned scanners = 0, const WalkRecord* record = nullptr);

}  // namespace trovex::search
