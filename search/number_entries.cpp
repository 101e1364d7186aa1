#include "search/number_entries.h"

#include <cstdint>

#include "search/int_syntax.h"
#include "search/text_helpers.h"

namespace trovex::search {

std::vector<std::string> SplitNumberEntries(std::string_view text) {
  const std::string lines = ReplaceSeparator(text, ',', "\r\n");
  std::vector<std::string> entries;
  if (lines.empty()) return entries;
  // Split at CR LF, CR or LF, as a list of lines does; a final break ends the
  // last line rather than starting an empty one.
  std::size_t start = 0;
  while (start < lines.size()) {
    std::size_t end = start;
    while (end < lines.size() && lines[end] != '\r' && lines[end] != '\n') ++end;
    entries.push_back(lines.substr(start, end - start));
    if (end < lines.size() && lines[end] == '\r') ++end;
    if (end < lines.size() && lines[end] == '\n') ++end;
    start = end;
  }
  return entries;
}

std::vector<std::string> ExpandWideValues(const std::vector<std::string>& entries) {
  std::vector<std::string> expanded;
  expanded.reserve(entries.size());
  for (const std::string& entry : entries) {
    const std::int32_t value = ParseInt32Or(entry, -1);
    if (value < 256) {
      expanded.push_back(entry);
      continue;
    }
    const auto bits = static_cast<std::uint32_t>(value);
    const int shift = bits < 0x10000u ? 8 : bits < 0x1000000u ? 16 : 24;
    expanded.push_back(std::to_string(bits & 0xFFu));
    expanded.push_back(std::to_string((bits >> shift) & 0xFFu));
  }
  return expanded;
}

EntryBytes EntriesToBytes(const std::vector<std::string>& entries) {
  EntryBytes result;
  result.bytes.reserve(entries.size());
  for (const std::string& entry : entries) {
    const std::int32_t value = ParseInt32Or(entry, 256);
    if (value >= 256) {
      result.invalidEntry = entry;
      break;
    }
    result.bytes += static_cast<char>(static_cast<std::uint32_t>(value) & 0xFFu);
  }
  return result;
}

}  // namespace trovex::search
