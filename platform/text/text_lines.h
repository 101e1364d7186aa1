#pragma once
// A text as a list of lines, the way the program's string lists load and save it.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trovex::text {

// The lines of a text one by one, in place: CR, LF and CR LF each end a line; a
// last line without an ending still counts, an empty text has no lines.
//   TextLineReader lines(text);
//   for (std::string_view line; lines.Next(line);) ...
class TextLineReader {
 public:
  explicit TextLineReader(std::string_view text) : text_(text) {}
  // The next line (a view into the text), or false after the last one.
  bool Next(std::string_view& line);

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The lines as TextLineReader gives them, copied.
std::vector<std::string> SplitTextLines(std::string_view text);

// Each item followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace trovex::text
