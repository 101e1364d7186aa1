#pragma once
// A CMap program as PDF fonts carry it: the code space (how many bytes each
// character code takes), the character codes' Unicode text (bfchar, bfrange, the
// /ToUnicode map) and their CIDs (cidchar, cidrange, an embedded /Encoding).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trovex::search::pdf {

class CMap {
 public:
  void Parse(std::string_view program);

  bool HasCodeSpace() const { return !spaces_.empty(); }
  // Bytes of the code that starts at `pos`: by the code space ranges, the
  // shortest code that fits; `fallback` bytes when none fits.
  std::size_t CodeLength(std::string_view bytes, std::size_t pos, std::size_t fallback) const;
  // The Unicode text of a code of `length` bytes; nullptr when the map has none.
  const std::u16string* Text(std::uint32_t code, std::size_t length) const;
  // The CID of a code; -1 when the map has none.
  std::int64_t Cid(std::uint32_t code, std::size_t length) const;
  bool Empty() const { return text_.empty() && cids_.empty(); }
  // Copies what `other` (a map named by /UseCMap) has and this one lacks.
  void Use(const CMap& other);

 private:
  struct Space {
    std::size_t length;
    std::uint8_t low[4], high[4];
  };
  struct CidRange {
    std::size_t length;
    std::uint32_t low, high;
    std::uint32_t cid;
  };
  static std::uint64_t Key(std::uint32_t code, std::size_t length) {
    return (static_cast<std::uint64_t>(length) << 32) | code;
  }
  std::vector<Space> spaces_;
  std::unordered_map<std::uint64_t, std::u16string> text_;
  std::vector<CidRange> cids_;
};

// Codes at most this many per map (a bfrange over all 4-byte codes is damage).
inline constexpr std::size_t kMaxCMapCodes = 1u << 20;

}  // namespace trovex::search::pdf
