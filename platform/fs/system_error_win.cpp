#include <windows.h>

#include "platform/fs/system_error.h"
#include "platform/text/cp932.h"

namespace trovex::fs {

std::string SystemErrorText(int code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string units;
  if (length > 0 && text) units.assign(reinterpret_cast<const char16_t*>(text), length);
  if (text) LocalFree(text);
  // The system ends its texts with a full stop (or the ideographic one) and a line break.
  while (!units.empty() &&
         (units.back() <= u' ' || units.back() == u'.' || units.back() == u'\u3002'))
    units.pop_back();
  if (units.empty()) return "error " + std::to_string(code);
  return text::EncodeCp932(units, '?');
}

int PathTooLongError() { return ERROR_FILENAME_EXCED_RANGE; }

int DamagedDataError() { return ERROR_INVALID_DATA; }

}  // namespace trovex::fs
