#pragma once
// The byte-list notation of a search by numbers: comma-separated integers
// (",100,38,0xF5"), each giving one byte; values of 256 and more give two.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trovex::search {

// Splits the list at its single-byte commas after trimming; leading and trailing
// commas vanish in the trim, two adjacent commas give an empty entry, an empty
// text gives no entries.
std::vector<std::string> SplitNumberEntries(std::string_view text);

// Replaces each entry whose value is 256 or more by two decimal entries: its low
// byte, then bits 8-15 (value below 0x10000), 16-23 (below 0x1000000) or 24-31.
// The bytes in between are not emitted. Other entries, invalid ones included,
// are kept as they are.
std::vector<std::string> ExpandWideValues(const std::vector<std::string>& entries);

// The bytes of expanded entries: each value's low 8 bits (-1 gives 0xFF).
struct EntryBytes {
  std::string bytes;
  // The first entry that is not an integer below 256; the bytes are then incomplete.
  std::optional<std::string> invalidEntry;
};
EntryBytes EntriesToBytes(const std::vector<std::string>& entries);

}  // namespace trovex::search
