#pragma once
// A hit line: "<full path>=<offset>", the offset "-1" for a hit that is
// mismatched. The text form of a search::Hit, made and read only where hits
// leave or enter the program: history files and trovex-find's output.
//
// A path may itself contain "=", the offset never does; so a line is split at its
// LAST "=". Every reader of hit lines splits through SplitHitLine.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "search/hit.h"

namespace trovex::search {

struct HitLineParts {
  std::string path;
  std::string offsetText;  // as written, see ReadHitOffset
};

// The line of a found hit.
std::string MakeHitLine(std::string_view path, std::uint64_t offset);

// nullopt when the line holds no "=".
std::optional<HitLineParts> SplitHitLine(std::string_view line);

// The offset as a line writes it: decimal, "-1" when mismatched.
std::string HitOffsetText(const Hit& hit);
// Sets the offset of `hit` from its text: a negative number is mismatched; a text
// that is no number reads as offset 0 (so a damaged history still loads, its hit
// shown from the file's start).
void ReadHitOffset(std::string_view offsetText, Hit& hit);

std::string FormatHitLine(const Hit& hit);
// nullopt when the line holds no "=".
std::optional<Hit> ParseHitLine(std::string_view line);

}  // namespace trovex::search
