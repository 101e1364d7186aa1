#include "search/hit_line.h"

#include <charconv>

namespace trovex::search {
namespace {

constexpr std::string_view kMismatchedOffset = "-1";

}  // namespace

std::string MakeHitLine(std::string_view path, std::uint64_t offset) {
  std::string line(path);
  line += '=';
  line += std::to_string(offset);
  return line;
}

std::optional<HitLineParts> SplitHitLine(std::string_view line) {
  const std::size_t equals = line.rfind('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return HitLineParts{std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))};
}

std::string HitOffsetText(const Hit& hit) {
  return hit.mismatched ? std::string(kMismatchedOffset) : std::to_string(hit.offset);
}

void ReadHitOffset(std::string_view offsetText, Hit& hit) {
  hit.offset = 0;
  hit.mismatched = false;
  const char* const begin = offsetText.data();
  const char* const end = begin + offsetText.size();
  if (!offsetText.empty() && offsetText.front() == '-') {
    std::int64_t negative = 0;
    const auto [stop, error] = std::from_chars(begin, end, negative);
    hit.mismatched = error == std::errc() && stop == end && negative < 0;
  } else {
    std::uint64_t offset = 0;
    const auto [stop, error] = std::from_chars(begin, end, offset);
    if (error == std::errc() && stop == end) hit.offset = offset;
  }
}

std::string FormatHitLine(const Hit& hit) {
  std::string line = hit.path;
  line += '=';
  line += HitOffsetText(hit);
  return line;
}

std::optional<Hit> ParseHitLine(std::string_view line) {
  const std::size_t equals = line.rfind('=');
  if (equals == std::string_view::npos) return std::nullopt;
  Hit hit;
  hit.path = std::string(line.substr(0, equals));
  ReadHitOffset(line.substr(equals + 1), hit);
  return hit;
}

}  // namespace trovex::search
