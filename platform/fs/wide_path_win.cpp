#include "platform/fs/wide_path.h"

#include "platform/text/cp932.h"

namespace trovex::fs {

std::optional<std::wstring> WidePath(std::string_view cp932) {
  // Decoded straight into the wide string: wchar_t is a UTF-16 unit on Windows.
  std::wstring wide;
  wide.reserve(cp932.size());
  for (std::size_t pos = 0; pos < cp932.size(); pos += text::Cp932CharLength(cp932, pos)) {
    const std::optional<char16_t> unit = text::DecodeCp932Char(cp932, pos);
    if (!unit) return std::nullopt;
    wide.push_back(static_cast<wchar_t>(*unit));
  }
  return wide;
}

}  // namespace trovex::fs
