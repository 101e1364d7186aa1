#include "platform/os/wide_text.h"

#include "platform/text/cp932.h"

namespace trovex::os {

std::wstring Widen(std::string_view cp932) {
  const std::u16string units = text::DecodeCp932Lenient(cp932);
  return std::wstring(units.begin(), units.end());
}

std::string Narrow(std::wstring_view wide) {
  std::u16string_view units(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
  return text::EncodeCp932(units, '?');
}

}  // namespace trovex::os
