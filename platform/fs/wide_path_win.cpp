#include <windows.h>

#include "platform/fs/wide_path.h"
#include "platform/text/cp932.h"

namespace trovex::fs {
namespace {

// Below this length every file call takes the ordinary form (folder creation
// stops at MAX_PATH less room for an 8.3 name).
constexpr std::size_t kOrdinaryLimit = MAX_PATH - 12;

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
  return text.compare(0, wcslen(prefix), prefix) == 0;
}

}  // namespace

std::wstring LongPathForm(std::wstring path) {
  if (path.size() < kOrdinaryLimit || StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\"))
    return path;
  // The long form is taken as it stands: no "." or "..", no "/", no relative
  // part. The system makes the path absolute and clean first.
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  if (full.size() >= 2 && full[1] == L':') return L"\\\\?\\" + full;
  return path;
}

std::optional<std::wstring> WidePath(std::string_view cp932) {
  // Decoded straight into the wide string: wchar_t is a UTF-16 unit on Windows.
  std::wstring wide;
  wide.reserve(cp932.size());
  for (std::size_t pos = 0; pos < cp932.size(); pos += text::Cp932CharLength(cp932, pos)) {
    const std::optional<char16_t> unit = text::DecodeCp932Char(cp932, pos);
    if (!unit) return std::nullopt;
    wide.push_back(static_cast<wchar_t>(*unit));
  }
  return LongPathForm(std::move(wide));
}

}  // namespace trovex::fs
