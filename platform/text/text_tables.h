#pragma once
// The generated tables behind cp932.cpp, width_kana.cpp and lower_case.cpp
// (written by scripts/gen-text-tables.sh; see platform/text/gen).
#include <cstddef>
#include <cstdint>

namespace trovex::text::tables {

// Marks a byte or byte pair with no character.
inline constexpr char16_t kNoChar = 0xFFFF;

inline constexpr int kLeadCount = 60;  // 0x81-0x9F, 0xE0-0xFC
inline constexpr int kTrailFirst = 0x40;
inline constexpr int kTrailCount = 189;  // 0x40-0xFC

extern const char16_t kSingleByte[256];
extern const char16_t kDoubleByte[kLeadCount][kTrailCount];

struct EncodeEntry {
  char16_t unit;
  std::uint16_t code;  // one byte below 0x100, else lead << 8 | trail
};
extern const EncodeEntry kEncode[];
extern const std::size_t kEncodeCount;

// Looks `unit` up in a table of EncodeEntry sorted by unit and writes its bytes;
// returns 1 or 2, or 0 when the table does not hold it. (In cp932.cpp.)
int LookUpCode(const EncodeEntry* table, std::size_t count, char16_t unit, char out[2]);

struct WidthKanaEntry {
  char16_t from;
  char16_t to[2];  // to[1] is 0 when the result is one unit
};
struct WidthKanaPairEntry {
  char16_t first;
  char16_t second;
  char16_t to[2];
};
struct WidthKanaTable {
  const WidthKanaEntry* single;
  std::size_t singleCount;
  const WidthKanaPairEntry* pairs;
  std::size_t pairCount;
};
// Indexed by WidthKana.
extern const WidthKanaTable kWidthKana[4];
// Best-fit CP932 forms of mapping results that CP932 has no exact form for.
extern const EncodeEntry kWidthKanaBestFit[];
extern const std::size_t kWidthKanaBestFitCount;

struct LowerCaseEntry {
  char16_t upper;
  char16_t lower;
};
extern const LowerCaseEntry kLowerCase[];
extern const std::size_t kLowerCaseCount;

}  // namespace trovex::text::tables
