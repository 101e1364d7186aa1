#pragma once
// The binary view's page model: a file seen as pages of 16 rows of 16 bytes, each
// page read with a lookahead into the next one, and the lines its panes show.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "search/byte_source.h"
#include "search/text_encoding.h"

namespace trovex::viewer {

inline constexpr int kBytesPerRow = 16;
inline constexpr int kRowsPerPage = 16;
inline constexpr std::uint64_t kPageSize = 256;
// The page and 64 bytes of the next one: the extra rows and a hit that runs on.
inline constexpr std::size_t kPageReadSize = 320;
inline constexpr std::size_t kPageBufferSize = 480;
inline constexpr int kExtraRows = 2;

// The last page: size div 256, so a size that is a multiple of 256 has a last
// page wholly past its end (an empty file has page 0).
constexpr std::uint64_t LastPageOf(std::uint64_t fileSize) { return fileSize / kPageSize; }

// One page as read: the bytes from its start, zero past the end of the file.
struct PageBuffer {
  std::array<unsigned char, kPageBufferSize> bytes{};
  std::uint64_t page = 0;
  std::size_t bytesRead = 0;  // delivered by the file (or by the RTF reduction)
  bool loaded = false;        // holds `page` as read

  std::string_view Text(std::size_t count) const;  // up to the first zero byte, at most count
};

// Reads page `page` of `file` into `buffer` (one positioned read of 320 bytes).
// With `rtfAsText`, the bytes read are reduced from RTF markup to their text,
// which then stands at the start of the page. A file that is not open, or a read
// that fails, leaves a page of zero bytes.
void ReadPage(const search::ByteSource& file, std::uint64_t page, bool rtfAsText,
              PageBuffer& buffer);

// How the character pane shows the bytes.
enum class CharPane {
  Bytes,     // each byte by itself: 0x20-0x7E as the character, others "."
  ShiftJis,  // characters of CP932 (and of the encodings below) where they start
  Utf8,
  Utf16Le,
  Utf16Be,
  EucJp,
};

// The pane that shows text of `encoding`.
CharPane CharPaneFor(search::TextEncoding encoding);

// " 000000000310": a blank and the row's 64-bit address in 12 upper-case hex digits.
std::string AddressText(std::uint64_t address);
// "48 65 6C ...": each byte as two upper-case hex digits, one blank between.
std::string HexLine(const unsigned char* bytes, std::size_t count);

// The character pane's lines for `rows` rows from the start of `bytes` (which
// holds the page and its lookahead). Every line is exactly 16 CP932 bytes wide
// and so 16 columns in a fixed-pitch font: a character decoded from n bytes stands
// at its first byte's column, followed by blanks up to n columns (a double-byte
// CP932 character is two columns wide). A character cut by a row's end is drawn
// in the row where it fits, at its start or at the start of the next row;
// bytes that start no character, or whose character CP932 cannot show, are ".".
std::vector<std::string> CharPaneLines(const unsigned char* bytes, std::size_t size, int rows,
                                       CharPane pane);

// The three panes of a page in hex display.
struct PageLines {
  std::vector<std::string> addresses, hex, chars;
};
PageLines RenderPageLines(const PageBuffer& buffer, int rows, CharPane pane);

// The text display: the page's bytes up to the first zero (a zero unit for
// UTF-16), at most `count` bytes, decoded for the CP932 pane; as they stand for
// Bytes and Shift-JIS.
std::string PageDisplayText(const PageBuffer& buffer, std::size_t count, CharPane pane);
// The same over any bytes.
std::string DisplayText(std::string_view bytes, CharPane pane);

}  // namespace trovex::viewer
