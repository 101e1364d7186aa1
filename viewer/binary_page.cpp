#include "viewer/binary_page.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/text/cp932.h"
#include "platform/text/euc_jp.h"
#include "search/rtf_to_text.h"

namespace trovex::viewer {
namespace {

// A character found at a position: the bytes it takes and what the pane draws
// for it (CP932, never wider than those bytes); nothing drawn when the bytes
// start no character or CP932 cannot show it.
struct PaneChar {
  std::size_t length = 1;
  std::string drawing;
};

bool Printable(unsigned value) { return value >= 0x20 && value <= 0x7E; }

// The CP932 form of a code point for the panes. Control codes have none in the
// character pane; the text display keeps them (line breaks, tabs).
std::string Cp932Drawing(char32_t codePoint, bool keepControls) {
  if (codePoint < 0x20 || codePoint == 0x7F)
    return keepControls ? std::string(1, static_cast<char>(codePoint)) : std::string();
  if (codePoint > 0xFFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return std::string();
  char out[2];
  const int n = text::EncodeCp932Unit(static_cast<char16_t>(codePoint), out);
  return std::string(out, static_cast<std::size_t>(n));
}

PaneChar OneByte(unsigned char byte, bool keepControls) {
  if (Printable(byte)) return {1, std::string(1, static_cast<char>(byte))};
  if (keepControls && byte < 0x20) return {1, std::string(1, static_cast<char>(byte))};
  return {1, std::string()};
}

PaneChar ShiftJisAt(std::string_view bytes, std::size_t pos, bool keepControls) {
  const auto byte = static_cast<unsigned char>(bytes[pos]);
  if (byte >= 0xA1 && byte <= 0xDF) return {1, std::string(1, static_cast<char>(byte))};
  if (text::IsCp932LeadByte(byte) && pos + 1 < bytes.size() && text::DecodeCp932Char(bytes, pos))
    return {2, std::string(bytes.substr(pos, 2))};
  return OneByte(byte, keepControls);
}

PaneChar Utf8At(std::string_view bytes, std::size_t pos, bool keepControls) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  if (lead < 0x80) return OneByte(lead, keepControls);
  std::size_t length = 0;
  char32_t codePoint = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, codePoint = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, codePoint = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, codePoint = lead & 0x07, least = 0x10000;
  } else {
    return {1, std::string()};
  }
  if (pos + length > bytes.size()) return {1, std::string()};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[pos + i]);
    if ((next & 0xC0) != 0x80) return {1, std::string()};
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < least || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
    return {1, std::string()};
  return {length, Cp932Drawing(codePoint, keepControls)};
}

PaneChar Utf16At(std::string_view bytes, std::size_t pos, bool bigEndian, bool keepControls) {
  auto unitAt = [&](std::size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  if (pos + 2 > bytes.size()) return {1, std::string()};
  const char16_t unit = unitAt(pos);
  if (unit >= 0xD800 && unit <= 0xDBFF && pos + 4 <= bytes.size()) {
    const char16_t low = unitAt(pos + 2);
    if (low >= 0xDC00 && low <= 0xDFFF) return {4, std::string()};
  }
  return {2, Cp932Drawing(unit, keepControls)};
}

PaneChar EucJpAt(std::string_view bytes, std::size_t pos, bool keepControls) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  if (lead < 0x80) return OneByte(lead, keepControls);
  auto inRow = [](unsigned char b) { return b >= 0xA1 && b <= 0xFE; };
  if (pos + 1 >= bytes.size()) return {1, std::string()};
  const auto second = static_cast<unsigned char>(bytes[pos + 1]);
  if (lead == 0x8E && second >= 0xA1 && second <= 0xDF)
    return {2, std::string(1, static_cast<char>(second))};
  if (lead == 0x8F && inRow(second) && pos + 2 < bytes.size() &&
      inRow(static_cast<unsigned char>(bytes[pos + 2])))
    return {3, std::string()};  // JIS X 0212: CP932 has no form for it
  if (inRow(lead) && inRow(second)) {
    std::string drawing = text::EucJpToCp932Lenient(bytes.substr(pos, 2));
    if (drawing.size() != 2) drawing.clear();
    return {2, drawing};
  }
  return {1, std::string()};
}

PaneChar CharAt(std::string_view bytes, std::size_t pos, CharPane pane, bool keepControls) {
  switch (pane) {
    case CharPane::Bytes:
      return OneByte(static_cast<unsigned char>(bytes[pos]), keepControls);
    case CharPane::ShiftJis:
      return ShiftJisAt(bytes, pos, keepControls);
    case CharPane::Utf8:
      return Utf8At(bytes, pos, keepControls);
    case CharPane::Utf16Le:
      return Utf16At(bytes, pos, false, keepControls);
    case CharPane::Utf16Be:
      return Utf16At(bytes, pos, true, keepControls);
    case CharPane::EucJp:
      return EucJpAt(bytes, pos, keepControls);
  }
  return OneByte(static_cast<unsigned char>(bytes[pos]), keepControls);
}

// Writes `drawing` at `at` and blanks after it up to `end` (all within `cells`).
void Place(std::string& cells, std::size_t at, std::size_t end, const std::string& drawing) {
  for (std::size_t i = at; i < end && i < cells.size(); ++i) {
    const std::size_t k = i - at;
    cells[i] = k < drawing.size() ? drawing[k] : ' ';
  }
}

void Dots(std::string& cells, std::size_t at, std::size_t end) {
  for (std::size_t i = at; i < end && i < cells.size(); ++i) cells[i] = '.';
}

}  // namespace

std::string_view PageBuffer::Text(std::size_t count) const {
  const auto* begin = reinterpret_cast<const char*>(bytes.data());
  const std::size_t limit = std::min(count, kPageReadSize);
  const void* zero = std::memchr(begin, 0, limit);
  return std::string_view(begin, zero ? static_cast<const char*>(zero) - begin : limit);
}

void ReadPage(const search::ByteSource& file, std::uint64_t page, bool rtfAsText,
              PageBuffer& buffer) {
  std::fill(buffer.bytes.begin(), buffer.bytes.begin() + kPageReadSize, 0);
  buffer.page = page;
  buffer.bytesRead = 0;
  buffer.loaded = true;
  if (page > UINT64_MAX / kPageSize) return;
  auto* dest = reinterpret_cast<char*>(buffer.bytes.data());
  const std::optional<std::size_t> got = file.ReadAt(page * kPageSize, dest, kPageReadSize);
  if (!got) return;
  buffer.bytesRead = *got;
  if (!rtfAsText) return;
  // The bytes read, not up to a zero byte: a slice without a zero has no end mark.
  const std::string text = search::RtfToText(std::string_view(dest, buffer.bytesRead));
  const std::size_t kept = std::min(text.size(), kPageReadSize);
  std::fill(buffer.bytes.begin(), buffer.bytes.begin() + kPageReadSize, 0);
  std::memcpy(dest, text.data(), kept);
  buffer.bytesRead = kept;
}

CharPane CharPaneFor(search::TextEncoding encoding) {
  switch (encoding) {
    case search::TextEncoding::ShiftJis:
      return CharPane::ShiftJis;
    case search::TextEncoding::Utf8:
      return CharPane::Utf8;
    case search::TextEncoding::Utf16Le:
      return CharPane::Utf16Le;
    case search::TextEncoding::Utf16Be:
      return CharPane::Utf16Be;
    case search::TextEncoding::EucJp:
      return CharPane::EucJp;
  }
  return CharPane::ShiftJis;
}

std::string AddressText(std::uint64_t address) {
  char text[24];
  std::snprintf(text, sizeof text, " %012llX", static_cast<unsigned long long>(address));
  return text;
}

std::string HexLine(const unsigned char* bytes, std::size_t count) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string line;
  line.reserve(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) line += ' ';
    line += kDigits[bytes[i] >> 4];
    line += kDigits[bytes[i] & 0x0F];
  }
  return line;
}

std::vector<std::string> CharPaneLines(const unsigned char* bytes, std::size_t size, int rows,
                                       CharPane pane) {
  const std::string_view view(reinterpret_cast<const char*>(bytes), size);
  const std::size_t shown = std::min(size, static_cast<std::size_t>(rows) * kBytesPerRow);
  std::string cells(static_cast<std::size_t>(rows) * kBytesPerRow, '.');
  std::size_t pos = 0;
  while (pos < shown) {
    const PaneChar c = CharAt(view, pos, pane, false);
    const std::size_t end = pos + c.length;
    const std::size_t rowEnd = (pos / kBytesPerRow + 1) * kBytesPerRow;
    const std::size_t width = c.drawing.size();
    if (c.drawing.empty()) {
      Dots(cells, pos, end);
    } else if (end <= rowEnd || pos % kBytesPerRow + width <= kBytesPerRow) {
      Place(cells, pos, end, c.drawing);
    } else if (end - rowEnd >= width) {
      Dots(cells, pos, rowEnd);
      Place(cells, rowEnd, end, c.drawing);
    } else {
      Dots(cells, pos, end);
    }
    pos = end;
  }
  std::vector<std::string> lines;
  for (int r = 0; r < rows; ++r) lines.push_back(cells.substr(r * kBytesPerRow, kBytesPerRow));
  return lines;
}

PageLines RenderPageLines(const PageBuffer& buffer, int rows, CharPane pane) {
  PageLines lines;
  const std::uint64_t start = buffer.page * kPageSize;
  for (int r = 0; r < rows; ++r) {
    lines.addresses.push_back(AddressText(start + static_cast<std::uint64_t>(r) * kBytesPerRow));
    lines.hex.push_back(HexLine(buffer.bytes.data() + r * kBytesPerRow, kBytesPerRow));
  }
  lines.chars = CharPaneLines(buffer.bytes.data(), kPageReadSize, rows, pane);
  return lines;
}

std::string PageDisplayText(const PageBuffer& buffer, std::size_t count, CharPane pane) {
  const std::size_t limit = std::min(count, kPageReadSize);
  return DisplayText(std::string_view(reinterpret_cast<const char*>(buffer.bytes.data()), limit),
                     pane);
}

std::string DisplayText(std::string_view bytes, CharPane pane) {
  if (pane == CharPane::Bytes || pane == CharPane::ShiftJis)
    return std::string(bytes.substr(0, bytes.find('\0')));
  const bool wide = pane == CharPane::Utf16Le || pane == CharPane::Utf16Be;
  std::string out;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (wide ? pos + 1 < bytes.size() && bytes[pos] == 0 && bytes[pos + 1] == 0 : bytes[pos] == 0)
      break;
    const PaneChar c = CharAt(bytes, pos, pane, true);
    out += c.drawing.empty() ? std::string(1, '.') : c.drawing;
    pos += c.length;
  }
  return out;
}

}  // namespace trovex::viewer
