#include "platform/os/wide_text.h"

#include <windows.h>

#include "platform/text/cp932.h"

namespace trovex::os {

std::wstring Widen(std::string_view cp932) {
  if (auto units = text::DecodeCp932(cp932)) return std::wstring(units->begin(), units->end());
  // Not valid CP932 (an odd file name): let the system substitute what it cannot map.
  if (cp932.empty()) return {};
  int n = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), out.data(), n);
  return out;
}

std::string Narrow(std::wstring_view wide) {
  std::u16string_view units(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
  return text::EncodeCp932(units, '?');
}

}  // namespace trovex::os
