#pragma once
// Where the binary view's panes select a hit, and which bytes a caret or a
// selection in a pane stands for. The hex pane's lines are 47 characters and a line
// break (49 per row), the character pane's 16 and a line break (18 per row);
// positions count CP932 bytes of the pane's text, as the panes' selections do.
#include <cstdint>
#include <string>

namespace trovex::viewer {

inline constexpr int kHexLineChars = 49;
inline constexpr int kCharLineChars = 18;

struct PaneSelection {
  int start = 0;
  int length = 0;
};

// The selections of `length` bytes from byte `index` of the page: the hex digits
// with the blanks and line ends between them, and the characters with the line ends.
PaneSelection HexSelectionOf(int index, int length);
PaneSelection CharSelectionOf(int index, int length);

// The byte a caret at `position` of the hex pane or of the character pane is on.
int ByteAtHexCaret(int position);
int ByteAtCharCaret(int position);

// The bytes a selection in a pane covers: its first byte and the count from the
// first to the last byte it selects a character of (0 when it selects none, e.g.
// only blanks or line ends).
struct SelectedBytes {
  int index = 0;
  int length = 0;
};
SelectedBytes BytesOfHexSelection(int start, int length);
SelectedBytes BytesOfCharSelection(int start, int length);

// The hex pane's hint for a text hit: its bytes up to the first zero, without
// CR LF pairs and without codes 0-32 at either end.
std::string HitHintText(std::string_view hitBytes);

// "0x0100 -> 256": the text as a signed 32-bit integer, hexadecimal after "0x",
// else decimal; 0 when it is neither.
std::string HexToDecimalText(const std::string& typed);

// The found box: "12／0A" (the index in upper-case hex, two digits at least).
std::string FoundBoxText(std::int64_t page, int index);
// Two upper-case hex digits at least.
std::string HexIndexText(int index);

}  // namespace trovex::viewer
