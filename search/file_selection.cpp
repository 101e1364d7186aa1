#include "search/file_selection.h"

#include <cmath>

#include "platform/fs/date_time.h"
#include "search/int_syntax.h"
#include "search/name_terms.h"

namespace trovex::search {
namespace {

// Whether the file lies in the given year or date range (before any exclusion).
// The range is of whole days: the pickers carry a time of day the user never
// sees, so a file changed at any moment of the first or the last day is inside.
bool DateMatches(const SearchConditions& conditions, double modified) {
  if (!conditions.yearText.empty()) {
    return ParseInt32Or(conditions.yearText, 0) == fs::DecodeDate(modified).year;
  }
  const double day = std::floor(modified);
  return !(day < std::floor(conditions.dateFrom) || day > std::floor(conditions.dateTo));
}

}  // namespace

bool PassesAttributeTests(const SearchConditions& conditions, const fs::DirEntry& entry) {
  if (entry.isHidden && !conditions.includeHidden) return false;
  if (entry.isSystem && !conditions.includeSystem) return false;
  return true;
}

bool IsShortcutName(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view extension = name.substr(dot);
  return extension == ".lnk" || extension == ".url";
}

FileAction SelectFile(const SearchConditions& conditions, const fs::DirEntry& entry) {
  if (!conditions.optionsOpen) return FileAction::Search;
  bool listOnly = false;
  if (!NameMatches(conditions, entry.name)) return FileAction::CountOnly;
  if (conditions.searchText.empty()) listOnly = true;
  if (conditions.sizeFilterOn) {
    if (conditions.sizeAtLeast) {
      if (entry.size < conditions.sizeLimit) return FileAction::CountOnly;
    } else {
      // "At most 1 B" lists empty files, which a search would never report.
      if (conditions.sizeLimit == 1 && entry.size == 0) listOnly = true;
      if (entry.size > conditions.sizeLimit) return FileAction::CountOnly;
    }
  }
  if (conditions.dateFilterOn &&
      DateMatches(conditions, entry.lastWriteTime) == conditions.excludeDates) {
    return FileAction::CountOnly;
  }
  return listOnly ? FileAction::ListOnly : FileAction::Search;
}

}  // namespace trovex::search
