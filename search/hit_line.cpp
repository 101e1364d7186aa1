#include "search/hit_line.h"

namespace trovex::search {

std::string MakeHitLine(std::string_view path, std::int64_t offset) {
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

}  // namespace trovex::search
