#include "viewer/pane_selection.h"

#include <algorithm>
#include <cstdio>

#include "search/int_syntax.h"

namespace trovex::viewer {
namespace {

constexpr int kBytesPerRow = 16;

// The byte a character of the hex pane belongs to, or -1 for a blank between
// bytes or a line end.
int HexByteAt(int position) {
  const int column = position % kHexLineChars;
  if (column >= 47 || column % 3 == 2) return -1;
  return position / kHexLineChars * kBytesPerRow + column / 3;
}

int CharByteAt(int position) {
  const int column = position % kCharLineChars;
  if (column >= kBytesPerRow) return -1;
  return position / kCharLineChars * kBytesPerRow + column;
}

template <class ByteAt>
SelectedBytes BytesOf(int start, int length, ByteAt byteAt, int caretByte) {
  int first = -1;
  int last = -1;
  for (int p = start; p < start + length; ++p) {
    const int byte = byteAt(p);
    if (byte < 0) continue;
    if (first < 0) first = byte;
    last = byte;
  }
  if (first < 0) return {caretByte, 0};
  return {first, last - first + 1};
}

}  // namespace

PaneSelection HexSelectionOf(int index, int length) {
  const int column = index % kBytesPerRow;
  const int row = index / kBytesPerRow;
  const int lineEnds = (column + length) / kBytesPerRow;
  return {column * 3 + row * kHexLineChars, std::max(0, lineEnds + length * 3 - 1)};
}

PaneSelection CharSelectionOf(int index, int length) {
  const int column = index % kBytesPerRow;
  const int row = index / kBytesPerRow;
  const int lineEnds = (column + length) / kBytesPerRow;
  return {column + row * kCharLineChars, 2 * lineEnds + length};
}

int ByteAtHexCaret(int position) {
  return (position % kHexLineChars) / 3 + (position / kHexLineChars) * kBytesPerRow;
}

int ByteAtCharCaret(int position) {
  return position % kCharLineChars + (position / kCharLineChars) * kBytesPerRow;
}

SelectedBytes BytesOfHexSelection(int start, int length) {
  return BytesOf(start, length, HexByteAt, ByteAtHexCaret(start));
}

SelectedBytes BytesOfCharSelection(int start, int length) {
  return BytesOf(start, length, CharByteAt, ByteAtCharCaret(start));
}

std::string HitHintText(std::string_view hitBytes) {
  const std::size_t zero = hitBytes.find('\0');
  std::string_view bytes = hitBytes.substr(0, zero);
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      ++i;
      continue;
    }
    text += bytes[i];
  }
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  const auto begin = std::find_if_not(text.begin(), text.end(), blank);
  const auto end = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return begin < end ? std::string(begin, end) : std::string();
}

std::string HexToDecimalText(const std::string& typed) {
  return typed + " -> " + std::to_string(search::ParseInt32Or(typed, 0));
}

std::string HexIndexText(int index) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(index));
  return digits;
}

std::string FoundBoxText(std::int64_t page, int index) {
  return std::to_string(page) + "／" + HexIndexText(index);
}

}  // namespace trovex::viewer
