#include "platform/os/console_text.h"
#include "platform/text/cp932.h"
#include "platform/text/utf8.h"

namespace trovex::os {

std::optional<std::vector<std::string>> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

std::optional<std::string> TypedTextToCp932(std::string_view text) {
  const auto units = text::Utf8ToUtf16(text);
  if (!units) return std::nullopt;
  std::size_t unmapped = 0;
  std::string encoded = text::EncodeCp932(*units, '?', &unmapped);
  if (unmapped != 0) return std::nullopt;
  return encoded;
}

std::string Cp932ForConsole(std::string_view message, OutputEncoding encoding) {
  if (encoding == OutputEncoding::kCp932) return std::string(message);
  return text::Utf16ToUtf8(text::DecodeCp932Lenient(message));
}

void WriteConsoleLine(std::FILE* stream, std::string_view line, OutputEncoding, char lineEnd) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc(lineEnd, stream);
}

}  // namespace trovex::os
