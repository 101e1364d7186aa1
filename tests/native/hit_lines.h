#pragma once
// Hits written as their hit lines and hit lines read as hits, so that a test
// compares hits with the "<path>=<offset>" lines it expects.
#include <string>
#include <string_view>
#include <vector>

#include "search/hit_line.h"
#include "search/search_progress.h"

inline std::vector<std::string> HitLines(const std::vector<trovex::search::Hit>& hits) {
  std::vector<std::string> lines;
  for (const trovex::search::Hit& hit : hits) lines.push_back(trovex::search::FormatHitLine(hit));
  return lines;
}

inline std::vector<std::string> HitLines(const trovex::search::HitList& list) {
  return HitLines(list.Hits());
}

// A line without "=" is a hit at 0 on the whole line.
inline trovex::search::Hit HitOfLine(std::string_view line) {
  if (auto hit = trovex::search::ParseHitLine(line)) return *hit;
  return trovex::search::Hit{std::string(line)};
}

inline std::vector<trovex::search::Hit> HitsOfLines(const std::vector<std::string>& lines) {
  std::vector<trovex::search::Hit> hits;
  for (const std::string& line : lines) hits.push_back(HitOfLine(line));
  return hits;
}
