#pragma once
// One line of the hit list: "<full path>=<offset>".
//
// A path may itself contain "=", the offset never does; so a line is split at its
// LAST "=". Every reader of hit lines splits through SplitHitLine.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trovex::search {

struct HitLineParts {
  std::string path;
  std::string offsetText;  // decimal, "-1" for a file that no longer matched
};

std::string MakeHitLine(std::string_view path, std::int64_t offset);

// nullopt when the line holds no "=".
std::optional<HitLineParts> SplitHitLine(std::string_view line);

}  // namespace trovex::search
