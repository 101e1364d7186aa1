#pragma once
// The encodings a typed text is searched in. A text content is compared in its byte
// form in each encoding of the set, in one read of each file; the first hit in any
// form is the file's hit.
#include <cstdint>
#include <string_view>

namespace trovex::search {

// In the order that decides between hits at the same offset.
enum class TextEncoding : std::uint8_t { ShiftJis, Utf8, Utf16Le, Utf16Be, EucJp };
inline constexpr int kTextEncodingCount = 5;

inline constexpr TextEncoding kAllTextEncodings[kTextEncodingCount] = {
    TextEncoding::ShiftJis, TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::Utf16Be,
    TextEncoding::EucJp};

class EncodingSet {
 public:
  constexpr EncodingSet() = default;
  static constexpr EncodingSet All() { return EncodingSet(0x1F); }
  static constexpr EncodingSet None() { return EncodingSet(0); }
  static constexpr EncodingSet Only(TextEncoding e) { return EncodingSet(Bit(e)); }

  constexpr bool Has(TextEncoding e) const { return (bits_ & Bit(e)) != 0; }
  constexpr void Add(TextEncoding e) { bits_ = static_cast<std::uint8_t>(bits_ | Bit(e)); }
  constexpr bool Empty() const { return bits_ == 0; }
  // Shift-JIS alone: the search is the one the program has always made.
  constexpr bool ShiftJisOnly() const { return bits_ == Bit(TextEncoding::ShiftJis); }
  constexpr std::uint8_t Bits() const { return bits_; }
  static constexpr EncodingSet FromBits(std::uint8_t bits) { return EncodingSet(bits & 0x1F); }

  friend constexpr bool operator==(EncodingSet, EncodingSet) = default;

 private:
  constexpr explicit EncodingSet(unsigned bits) : bits_(static_cast<std::uint8_t>(bits)) {}
  static constexpr unsigned Bit(TextEncoding e) { return 1u << static_cast<unsigned>(e); }
  std::uint8_t bits_ = 0x1F;
};

// The name trovex-find takes and prints: "sjis", "utf8", "utf16le", "utf16be", "eucjp".
constexpr std::string_view EncodingName(TextEncoding e) {
  switch (e) {
    case TextEncoding::ShiftJis:
      return "sjis";
    case TextEncoding::Utf8:
      return "utf8";
    case TextEncoding::Utf16Le:
      return "utf16le";
    case TextEncoding::Utf16Be:
      return "utf16be";
    case TextEncoding::EucJp:
      return "eucjp";
  }
  return "";
}

}  // namespace trovex::search
