#include "shell/location_paths.h"

#include <algorithm>

#include "platform/text/cp932.h"

namespace trovex::shell {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsSeparator(char c) { return c == '\\' || c == ':'; }

struct Separator {
  std::size_t at = kNone;         // index of the last "\" or ":" that is a character
  bool followsSeparator = false;  // the character before it is one too
};

Separator FindLastSeparator(std::string_view path) {
  Separator last;
  bool previousWasSeparator = false;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t length = text::Cp932CharLength(path, pos);
    const bool separator = length == 1 && IsSeparator(path[pos]);
    if (separator) last = {pos, previousWasSeparator};
    previousWasSeparator = separator;
    pos += length == 0 ? 1 : length;
  }
  return last;
}

std::size_t LastSeparator(std::string_view path) { return FindLastSeparator(path).at; }

// Whether the text after the first two bytes holds another "\" (network paths).
bool HasSeparatorAfterServer(std::string_view path) {
  if (path.size() <= 2) return false;
  const std::string_view rest = path.substr(2);
  for (std::size_t pos = 0; pos < rest.size();) {
    const std::size_t length = text::Cp932CharLength(rest, pos);
    if (length == 1 && rest[pos] == '\\') return true;
    pos += length == 0 ? 1 : length;
  }
  return false;
}

}  // namespace

std::string LastPathComponent(std::string_view path) {
  const std::size_t last = LastSeparator(path);
  return std::string(last == kNone ? path : path.substr(last + 1));
}

std::string DirectoryPart(std::string_view path) {
  const Separator last = FindLastSeparator(path);
  if (last.at == kNone) return {};
  std::string part(path.substr(0, last.at + 1));
  const bool keepBackslash = last.at == 0 || last.followsSeparator;
  if (part.back() == '\\' && !keepBackslash) part.pop_back();
  return part;
}

bool EndsWithSeparator(std::string_view path) {
  const std::size_t last = LastSeparator(path);
  return last != kNone && last + 1 == path.size() && path[last] == '\\';
}

std::string FolderItemPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!EndsWithSeparator(path)) path += '\\';
  path += name;
  return path;
}

std::string DriveRootOf(std::string_view drive) { return std::string(drive.substr(0, 2)) + "\\"; }

UpStep PlanGoUp(const std::string& current) {
  UpStep step;
  std::string parent = current;
  // A bare "\\server" has no parent folder: up goes to the drive level.
  if (!current.empty() && current[0] == '\\' && !HasSeparatorAfterServer(current)) parent.clear();
  step.name = LastPathComponent(current);
  parent = DirectoryPart(parent);
  if (parent == current) {  // a drive root
    step.root = parent;
    parent.clear();
  }
  if (step.name.empty()) step.name = parent;
  step.parent = parent;
  return step;
}

search::SearchLocations ChosenLocationsOf(const std::vector<std::string>& itemPaths,
                                          std::vector<std::size_t> selectedRows,
                                          const std::string& currentPath) {
  search::SearchLocations locations;
  std::sort(selectedRows.begin(), selectedRows.end());
  selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
  for (const std::size_t row : selectedRows) {
    if (row < itemPaths.size()) locations.paths.push_back(itemPaths[row]);
  }
  if (!locations.paths.empty()) return locations;
  if (currentPath.empty()) {
    locations.everyDrive = true;
  } else {
    locations.paths.push_back(currentPath);
  }
  return locations;
}

}  // namespace trovex::shell
