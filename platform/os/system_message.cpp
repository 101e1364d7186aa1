#include "platform/os/system_message.h"

#include <windows.h>

#include "platform/os/wide_text.h"

namespace trovex::os {

std::string SystemMessageText(std::uint32_t code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text),
      0, nullptr);
  std::wstring message;
  if (length > 0 && text) message.assign(text, length);
  if (text) LocalFree(text);
  // The table's texts end with a line break.
  while (!message.empty() && message.back() <= L' ') message.pop_back();
  return Narrow(message);
}

}  // namespace trovex::os
