#include "platform/ui/hint_text.h"

#include "platform/text/cp932.h"

namespace trovex::ui {
namespace {

std::size_t FindSeparator(std::string_view hint) {
  for (std::size_t pos = 0; pos < hint.size(); pos += text::Cp932CharLength(hint, pos)) {
    if (hint[pos] == '|') return pos;
  }
  return std::string_view::npos;
}

}  // namespace

std::string ShortHint(std::string_view hint) {
  const std::size_t bar = FindSeparator(hint);
  return std::string(bar == std::string_view::npos ? hint : hint.substr(0, bar));
}

std::string LongHint(std::string_view hint) {
  const std::size_t bar = FindSeparator(hint);
  return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

}  // namespace trovex::ui
