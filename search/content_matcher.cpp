#include "search/content_matcher.h"

#include <array>
#include <string>

#include "platform/text/width_kana.h"
#include "search/compare_core.h"

namespace trovex::search {
namespace detail {

int HalfWidthSymbolLead(int trail) {
  // 0x8140 to 0x8197 mapped once with the locale's half-width mapping.
  static const std::array<int, 0x98 - 0x40> leads = [] {
    std::array<int, 0x98 - 0x40> table{};
    for (int r = 0x40; r <= 0x97; ++r) {
      const char full[2] = {static_cast<char>(0x81), static_cast<char>(r)};
      const auto half =
          text::MapWidthKanaCp932(std::string_view(full, 2), text::WidthKana::HalfWidthKatakana);
      table[r - 0x40] = (half && !half->empty()) ? static_cast<unsigned char>((*half)[0]) : 0x81;
    }
    return table;
  }();
  return (trail >= 0x40 && trail <= 0x97) ? leads[trail - 0x40] : 0x81;
}

}  // namespace detail

namespace {

detail::BufferBytes BytesOf(std::string_view buffer) {
  return {reinterpret_cast<const unsigned char*>(buffer.data()), buffer.size()};
}

}  // namespace

std::optional<std::size_t> MatchAt(std::string_view buffer, std::size_t start,
                                   std::string_view pattern, bool wideDoc,
                                   const MatchOptions& options) {
  std::size_t length = 0;
  if (detail::CompareAt(BytesOf(buffer), start, pattern, wideDoc, options, length) ==
      detail::Outcome::Match)
    return length;
  return std::nullopt;
}

std::optional<std::size_t> MatchFoldedAt(std::string_view buffer, std::size_t start,
                                         std::string_view form, bool wideDoc,
                                         const MatchOptions& options) {
  std::size_t length = 0;
  if (detail::CompareFoldedAt(BytesOf(buffer), start, form, wideDoc, options, length) ==
      detail::Outcome::Match)
    return length;
  return std::nullopt;
}

}  // namespace trovex::search
