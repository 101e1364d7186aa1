#include "platform/os/wide_text.h"

#include "platform/text/cp932.h"

namespace trovex::os {

std::wstring Widen(std::string_view cp932) {
  std::wstring out;
  out.reserve(cp932.size());
  for (std::size_t pos = 0; pos < cp932.size();) {
    if (const std::optional<char16_t> unit = text::DecodeCp932Char(cp932, pos)) {
      out.push_back(static_cast<wchar_t>(*unit));
      pos += text::Cp932CharLength(cp932, pos);
    } else {
      // Only the bad byte is replaced: the byte after a stray lead byte may be a
      // character of its own.
      out.push_back(L'\xFFFD');
      pos += 1;
    }
  }
  return out;
}

std::string Narrow(std::wstring_view wide) {
  std::u16string_view units(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
  return text::EncodeCp932(units, '?');
}

}  // namespace trovex::os
