#include "platform/text/width_kana.h"

#include <algorithm>
#include <vector>

#include "platform/text/cp932.h"
#include "platform/text/text_tables.h"

namespace trovex::text {

namespace {

// What one step of the mapping does at a position: the units it consumes (1, or 2
// for a kana composed with the voicing mark after it) and the units it writes.
struct Step {
  std::size_t consumed = 1;
  char16_t out[2] = {0, 0};
  std::size_t outCount = 1;
};

Step FromTableUnits(const char16_t (&to)[2], std::size_t consumed) {
  Step step;
  step.consumed = consumed;
  step.out[0] = to[0];
  step.out[1] = to[1];
  step.outCount = to[1] ? 2 : 1;
  return step;
}

// `composing` false skips the pairs: the kana is mapped alone.
Step MapStep(std::u16string_view units, std::size_t pos, WidthKana kind, bool composing = true) {
  const tables::WidthKanaTable& table = tables::kWidthKana[static_cast<int>(kind)];
  char16_t unit = units[pos];
  if (composing && pos + 1 < units.size() && table.pairCount) {
    char16_t next = units[pos + 1];
    const tables::WidthKanaPairEntry* end = table.pairs + table.pairCount;
    const tables::WidthKanaPairEntry* it = std::lower_bound(
        table.pairs, end, std::make_pair(unit, next),
        [](const tables::WidthKanaPairEntry& e, std::pair<char16_t, char16_t> key) {
          return std::make_pair(e.first, e.second) < key;
        });
    if (it != end && it->first == unit && it->second == next) return FromTableUnits(it->to, 2);
  }
  const tables::WidthKanaEntry* end = table.single + table.singleCount;
  const tables::WidthKanaEntry* it =
      std::lower_bound(table.single, end, unit,
                       [](const tables::WidthKanaEntry& e, char16_t u) { return e.from < u; });
  if (it != end && it->from == unit) return FromTableUnits(it->to, 1);
  Step same;
  same.out[0] = unit;
  return same;
}

// Encodes a mapping result like the Japanese locale's code page conversion does:
// exactly, or else in its best-fit form (￥ in half width becomes the yen byte 0x5C).
int EncodeResultUnit(char16_t unit, char out[2]) {
  if (int n = EncodeCp932Unit(unit, out)) return n;
  return tables::LookUpCode(tables::kWidthKanaBestFit, tables::kWidthKanaBestFitCount, unit, out);
}

// The CP932 bytes of a step's result, or nullopt when CP932 cannot hold it.
std::optional<std::string> EncodeStep(const Step& step) {
  std::string bytes;
  for (std::size_t k = 0; k < step.outCount; ++k) {
    char out[2];
    int n = EncodeResultUnit(step.out[k], out);
    if (n == 0) return std::nullopt;
    bytes.append(out, static_cast<std::size_t>(n));
  }
  return bytes;
}

}  // namespace

std::u16string MapWidthKanaUtf16(std::u16string_view units, WidthKana kind) {
  std::u16string mapped;
  mapped.reserve(units.size() + units.size() / 2);
  for (std::size_t pos = 0; pos < units.size();) {
    Step step = MapStep(units, pos, kind);
    mapped.append(step.out, step.outCount);
    pos += step.consumed;
  }
  return mapped;
}

std::optional<std::string> MapWidthKanaCp932(std::string_view text, WidthKana kind) {
  // Decode, remembering where each unit's bytes start, so that a character whose
  // mapping CP932 cannot hold is written back as it was.
  std::u16string units;
  std::vector<std::size_t> starts;
  units.reserve(text.size());
  starts.reserve(text.size() + 1);
  for (std::size_t pos = 0; pos < text.size(); pos += Cp932CharLength(text, pos)) {
    std::optional<char16_t> unit = DecodeCp932Char(text, pos);
    if (!unit) return std::nullopt;
    units.push_back(*unit);
    starts.push_back(pos);
  }
  starts.push_back(text.size());

  std::string mapped;
  mapped.reserve(text.size() * 2);
  for (std::size_t i = 0; i < units.size();) {
    Step step = MapStep(units, i, kind);
    std::optional<std::string> encoded = EncodeStep(step);
    if (!encoded && step.consumed == 2) {
      // A composed kana CP932 lacks (ヸ): map the kana and its mark one by one.
      step = MapStep(units, i, kind, false);
      encoded = EncodeStep(step);
    }
    if (encoded) {
      mapped += *encoded;
    } else {
      mapped.append(text.substr(starts[i], starts[i + step.consumed] - starts[i]));
    }
    i += step.consumed;
  }
  return mapped;
}

}  // namespace trovex::text
