#pragma once
// The binary view's saved positions: entries "page/index%length=text" (the index in
// upper-case hex of two digits at least, the text the content of a saved hit or the
// selected text), unique, kept in ascending order of page while the viewer is open.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trovex::viewer {

struct SavedPosition {
  std::int64_t page = 0;
  int index = 0;
  int length = 0;
};

std::string SavedPositionText(const SavedPosition& position, std::string_view text);

// The numbers of an entry's name (before the first "="); a field that does not read
// as a number is 0.
SavedPosition ReadSavedPosition(std::string_view entry);

// What the list shows of an entry: its page, a blank and its text.
std::string SavedPositionCaption(std::string_view entry);

// Adds `entry` unless the list holds it already, then orders the list by page
// (a stable order among the entries of one page). False when it was there.
bool AddSavedPosition(std::vector<std::string>& list, const std::string& entry);

}  // namespace trovex::viewer
