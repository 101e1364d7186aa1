#include "search/search_options.h"

#include "search/name_terms.h"

namespace trovex::search {

SearchConditions ConditionsFor(const SearchOptions& options) {
  SearchConditions c;
  c.optionsOpen = options.optionsOpen;
  c.searchText = options.content;
  c.nameTerms = BuildNameTerms(options.nameFilter, options.caseSensitive);
  c.excludeNames = options.excludeNames;
  c.nameCaseSensitive = options.caseSensitive;
  c.sizeFilterOn = options.sizeFilterOn;
  c.sizeAtLeast = options.sizeAtLeast;
  c.sizeLimit = ComputeSizeLimit(options.sizeNumber, options.sizeUnit);
  c.dateFilterOn = options.dateFilterOn;
  c.yearText = options.yearText;
  c.dateFrom = options.dateFrom;
  c.dateTo = options.dateTo;
  c.excludeDates = options.excludeDates;
  c.includeHidden = options.includeHidden;
  c.includeSystem = options.includeSystem;
  return c;
}

MatchOptions MatchOptionsFor(const SearchOptions& options, SearchMode mode) {
  MatchOptions m;
  // The case and width rules of the panel count only while it is open; the folded
  // comparer follows the case check box alone.
  m.caseSensitive = options.optionsOpen && options.caseSensitive;
  m.foldedCaseSensitive = options.caseSensitive;
  m.skipLineBreaks = options.skipLineBreaks;
  m.foldWidthAndKana = options.optionsOpen && !options.distinguishWidthAndKana;
  m.mode = mode;
  m.lookInside = LooksInside(options);
  return m;
}

}  // namespace trovex::search
