#pragma once
// What the walk does with one listed entry, under the selection conditions.
#include <string_view>

#include "platform/fs/dir_listing.h"
#include "search/search_conditions.h"

namespace trovex::search {

// The hidden and system tests, applied to files and folders alike.
bool PassesAttributeTests(const SearchConditions& conditions, const fs::DirEntry& entry);

// Shortcut files (".lnk", ".url", exactly in this case) are never examined.
bool IsShortcutName(std::string_view name);

enum class FileAction {
  Search,    // look into the file
  ListOnly,  // a hit at offset 0 without reading the file
  CountOnly  // a condition failed: the file is counted as examined, nothing more
};

// The name, size and date conditions of a file that passed the attribute and
// shortcut tests; applied only when the option panel is open.
FileAction SelectFile(const SearchConditions& conditions, const fs::DirEntry& entry);

}  // namespace trovex::search
