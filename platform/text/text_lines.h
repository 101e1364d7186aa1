#pragma once
// A text as a list of lines, the way the program's string lists load and save it.
#include <string>
#include <string_view>
#include <vector>

namespace trovex::text {

// CR, LF and CR LF each end a line; a last line without an ending still counts,
// an empty text has no lines.
std::vector<std::string> SplitTextLines(std::string_view text);

// Each item followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace trovex::text
