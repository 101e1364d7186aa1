#include <windows.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/os/console_text.h"
#include "platform/text/cp932.h"
#include "platform/text/utf8.h"

namespace trovex::os {
namespace {

// The console behind `stream`, or nullptr when the stream goes to a file or a pipe.
HANDLE ConsoleOf(std::FILE* stream) {
  const int descriptor = _fileno(stream);
  if (descriptor < 0) return nullptr;
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return nullptr;
  return handle;
}

void WriteBytes(std::FILE* stream, std::string_view bytes, char lineEnd) {
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fputc(lineEnd, stream);
}

}  // namespace

std::optional<std::vector<std::string>> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::nullopt;
  std::vector<std::string> arguments;
  bool ok = true;
  for (int i = 1; i < count && ok; ++i) {
    std::size_t unmapped = 0;
    arguments.push_back(
        text::EncodeCp932(reinterpret_cast<const char16_t*>(wide[i]), '?', &unmapped));
    ok = unmapped == 0;
  }
  LocalFree(wide);
  if (!ok) return std::nullopt;
  return arguments;
}

std::optional<std::string> TypedTextToCp932(std::string_view text) { return std::string(text); }

std::string Cp932ForConsole(std::string_view message, OutputEncoding) {
  return std::string(message);
}

void WriteConsoleLine(std::FILE* stream, std::string_view line, OutputEncoding encoding,
                      char lineEnd) {
  if (encoding == OutputEncoding::kCp932) return WriteBytes(stream, line, lineEnd);
  std::u16string units = text::DecodeCp932Lenient(line);
  if (encoding == OutputEncoding::kUtf8)
    return WriteBytes(stream, text::Utf16ToUtf8(units), lineEnd);
  const HANDLE console = ConsoleOf(stream);
  if (!console) return WriteBytes(stream, line, lineEnd);
  // Written as UTF-16, the console shows the characters whatever its code page.
  units.push_back(static_cast<char16_t>(static_cast<unsigned char>(lineEnd)));
  std::fflush(stream);
  for (std::size_t done = 0; done < units.size();) {
    DWORD written = 0;
    const auto count = static_cast<DWORD>(std::min<std::size_t>(units.size() - done, 8192));
    if (!WriteConsoleW(console, units.data() + done, count, &written, nullptr) || written == 0) {
      return;
    }
    done += written;
  }
}

}  // namespace trovex::os
