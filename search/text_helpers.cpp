#include "search/text_helpers.h"

#include "platform/text/cp932.h"

namespace trovex::search {

std::string ReplaceSeparator(std::string_view text, char separator, std::string_view replacement) {
  std::string replaced;
  replaced.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = text::Cp932CharLength(text, pos);
    if (length == 1 && text[pos] == separator)
      replaced += replacement;
    else
      replaced.append(text.substr(pos, length));
    pos += length;
  }
  return std::string(TrimControlsAndSpaces(replaced));
}

std::string_view TrimControlsAndSpaces(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.remove_suffix(1);
  return text;
}

std::string MapWidthKana(std::string_view text, text::WidthKana kind) {
  if (auto mapped = text::MapWidthKanaCp932(text, kind)) return *std::move(mapped);
  return std::string(text);
}

std::optional<std::string> ToWide(std::string_view text) {
  const auto units = text::DecodeCp932(text);
  if (!units) return std::nullopt;
  std::string bytes;
  bytes.reserve(units->size() * 2);
  for (char16_t unit : *units) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::string FormatByteList(std::string_view bytes) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string list;
  list.reserve(bytes.size() * 5);
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (!list.empty()) list += ',';
    list += "0x";
    list += kHexDigits[byte >> 4];
    list += kHexDigits[byte & 0x0F];
  }
  return list;
}

std::optional<std::string> ToUtf16ByteList(std::string_view text) {
  const auto wide = ToWide(text);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  return "," + FormatByteList(*wide);
}

}  // namespace trovex::search
