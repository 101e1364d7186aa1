#pragma once
// The path arithmetic of the location browser, on the CP932 paths it shows:
// "\" and ":" separate components, but a "\" that is the trail byte of a
// double-byte character (such as 表 = 0x95 0x5C) does not.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_locations.h"

namespace trovex::shell {

// The text after the last "\" or ":" (the whole path when it has neither).
std::string LastPathComponent(std::string_view path);

// The text up to the last "\" or ":", without that trailing "\" unless it follows
// ":" or another "\" (so "X:\" stays "X:\"); empty when the path has neither.
std::string DirectoryPart(std::string_view path);

// True when the path ends with a "\" that is not the trail byte of a character.
bool EndsWithSeparator(std::string_view path);

// The full path of a folder item: the folder, a "\" when it lacks one, the name.
std::string FolderItemPath(std::string_view folder, std::string_view name);

// The root "X:\" of a drive text "X:".
std::string DriveRootOf(std::string_view drive);

// What the up button does from `current`.
struct UpStep {
  std::string parent;  // the new CurrentPath; empty: the drive level
  std::string name;    // the caption to select in the parent's list
  std::string root;    // a drive root left for the drive level, else empty
};
UpStep PlanGoUp(const std::string& current);

// What a search walks: the full paths of the selected items in list order, or with
// nothing selected every drive at the drive level and the shown folder elsewhere.
// `selectedRows` may come in any order; rows past the end are ignored.
search::SearchLocations ChosenLocationsOf(const std::vector<std::string>& itemPaths,
                                          std::vector<std::size_t> selectedRows,
                                          const std::string& currentPath);

}  // namespace trovex::shell
