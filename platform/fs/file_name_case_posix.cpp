#include "platform/fs/file_name_case.h"

#include <algorithm>

#include "platform/text/lower_case.h"
#include "platform/text/utf8.h"

namespace trovex::fs {

std::string LowerCaseFileName(std::string_view name) {
  // Most names are ASCII, where only A-Z has a lower case: they skip the UTF-16 round trip.
  const bool ascii = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (!ascii) {
    if (auto units = text::Utf8ToUtf16(name)) {
      for (char16_t& unit : *units) unit = text::LowerCaseUnit(unit);
      return text::Utf16ToUtf8(*units);
    }
  }
  std::string lowered(name);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

std::size_t FileNameCharLength(std::string_view, std::size_t) { return 1; }

}  // namespace trovex::fs
