#include "viewer/saved_positions.h"

#include <algorithm>

#include "search/int_syntax.h"
#include "viewer/pane_selection.h"

namespace trovex::viewer {
namespace {

std::string_view NameOf(std::string_view entry) { return entry.substr(0, entry.find('=')); }

std::int64_t PageKey(std::string_view entry) {
  return search::ParseInt64(entry.substr(0, entry.find('/'))).value_or(0);
}

}  // namespace

std::string SavedPositionText(const SavedPosition& position, std::string_view text) {
  return std::to_string(position.page) + "/" + HexIndexText(position.index) + "%" +
         std::to_string(position.length) + "=" + std::string(text);
}

SavedPosition ReadSavedPosition(std::string_view entry) {
  const std::string_view name = NameOf(entry);
  SavedPosition position;
  const std::size_t slash = name.find('/');
  const std::size_t percent = name.find('%');
  position.page = search::ParseInt64(name.substr(0, slash)).value_or(0);
  if (percent != std::string_view::npos)
    position.length = search::ParseInt32Or(name.substr(percent + 1), 0);
  if (slash != std::string_view::npos) {
    const std::size_t end =
        percent == std::string_view::npos || percent < slash ? name.size() : percent;
    const std::string hex = "0x" + std::string(name.substr(slash + 1, end - slash - 1));
    position.index = search::ParseInt32Or(hex, 0);
  }
  return position;
}

std::string SavedPositionCaption(std::string_view entry) {
  const std::size_t equals = entry.find('=');
  const std::string_view value =
      equals == std::string_view::npos ? std::string_view() : entry.substr(equals + 1);
  return std::string(entry.substr(0, entry.find('/'))) + " " + std::string(value);
}

bool AddSavedPosition(std::vector<std::string>& list, const std::string& entry) {
  if (std::find(list.begin(), list.end(), entry) != list.end()) return false;
  list.push_back(entry);
  std::stable_sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
    return PageKey(a) < PageKey(b);
  });
  return true;
}

}  // namespace trovex::viewer
