#pragma once
// A search run over the chosen locations with the content matcher.
#include "search/file_scan.h"
#include "search/file_walk.h"
#include "search/match_options.h"
#include "search/search_query.h"

namespace trovex::search {

// RunSearch with SearchFile as the look into each file; cancelRequested also stops
// a file's scan before its next read.
void RunSearch(const SearchLocations& locations, const SearchConditions& conditions,
               const SearchQuery& query, const MatchOptions& options, ScanState& scanState,
               SearchProgress& progress);

}  // namespace trovex::search
