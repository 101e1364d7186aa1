#pragma once
// The Unicode escapes of RTF, which editors write for every character outside
// the document's code page: \uN (N a signed 16-bit decimal, the code unit) and
// \ucN (how many fallback characters follow each \uN; 1 by default).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trovex::search {

// The longest escape looked at: "\u-32768" and the byte after it.
inline constexpr std::size_t kRtfUnicodeSpan = 9;

struct RtfUnicodeEscape {
  char16_t unit = 0;
  std::size_t next = 0;  // the position after the escape and its delimiting space
};

// The escape \uN at text[at] (a backslash), looking no further than the end of
// `text` or at + kRtfUnicodeSpan.
std::optional<RtfUnicodeEscape> ParseRtfUnicode(std::string_view text, std::size_t at);

// The count of \ucN at text[at] (a backslash).
std::optional<int> ParseRtfFallbackCount(std::string_view text, std::size_t at);

// The unit's CP932 bytes, "?" when CP932 has none. A zero unit gives a zero byte.
void AppendRtfUnit(char16_t unit, std::string& out);

}  // namespace trovex::search
