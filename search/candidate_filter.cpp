#include "search/candidate_filter.h"

#include <algorithm>
#include <bitset>
#include <map>
#include <utility>
#include <vector>

#include "search/compare_core.h"

namespace trovex::search {
namespace {

using ByteSet = std::bitset<256>;

struct Condition {
  int offset;
  ByteSet bytes;
};
using Alternative = std::vector<Condition>;

// How common a byte is in text, English and Shift-JIS Japanese alike (rough
// parts per ten thousand). Filters test the rarest bytes of the pattern.
int Commonness(int b) {
  static const int kLetters[26] = {82, 15, 28, 43, 127, 22, 20, 61, 70, 2, 8, 40, 24,
                                   67, 75, 19, 1, 60, 63, 91, 28, 10, 24, 2, 20, 1};
  int score = 10;  // a trail byte of a double-byte character
  if (b >= 'a' && b <= 'z') score = 12 + kLetters[b - 'a'];
  else if (b >= 'A' && b <= 'Z') score = 10 + kLetters[b - 'A'] / 10;
  else if (b == ' ') score = 150;
  else if (b == '\r' || b == '\n') score = 25;
  else if (b < 0x20 || b == 0x7F || b == 0x80 || b == 0xA0 || b >= 0xFD) score = 2;
  else if (b < 0x40) score = 8;  // digits and punctuation
  else if (b == 0x82) score = 250;  // hiragana, full-width letters
  else if (b == 0x83) score = 90;   // katakana
  else if (b == 0x81) score = 70;   // punctuation
  else if (b >= 0x9F && b <= 0xF1) score = 25;  // trail bytes of hiragana
  return score;
}

int Commonness(const ByteSet& set) {
  int score = 0;
  for (int b = 0; b < 256; ++b)
    if (set[b]) score += Commonness(b);
  return score;
}

// The tests that pass exactly the bytes of `set`: a byte and its 0x20 partner
// share one test.
std::vector<ByteTest> TestsFor(const ByteSet& set) {
  std::vector<ByteTest> tests;
  ByteSet left = set;
  for (int b = 0; b < 256; ++b) {
    if (!left[b]) continue;
    const int partner = b ^ 0x20;
    if (left[partner]) {
      tests.push_back({0x20, static_cast<std::uint8_t>(b | 0x20)});
      left[partner] = false;
    } else {
      tests.push_back({0, static_cast<std::uint8_t>(b)});
    }
    left[b] = false;
  }
  return tests;
}

// The bytes a file byte may be to equal pattern byte `q` in MatchAt.
ByteSet EqualBytes(unsigned char q, bool exact) {
  ByteSet set;
  for (int b = 0; b < 256; ++b)
    if (exact ? b == q : detail::FoldAsciiCase(b) == detail::FoldAsciiCase(q)) set[b] = true;
  return set;
}

// Without skipped line breaks and folding, pattern byte j lies at position + j:
// test the two rarest.
std::vector<Alternative> FixedOffsetFilter(std::string_view pattern, bool exact) {
  if (pattern.empty()) return {};
  std::vector<Condition> conditions;
  for (std::size_t j = 0; j < pattern.size(); ++j)
    conditions.push_back({static_cast<int>(j), EqualBytes(static_cast<unsigned char>(pattern[j]), exact)});
  std::stable_sort(conditions.begin(), conditions.end(), [](const Condition& a, const Condition& b) {
    return Commonness(a.bytes) < Commonness(b.bytes);
  });
  conditions.resize(std::min<std::size_t>(conditions.size(), 2));
  return {conditions};
}

// A window of three bytes around a start position (before, at, after); the rest unknown.
struct WindowBytes {
  int before, at, after;
  int At(std::size_t index) const {
    switch (index) {
      case 0: return before;
      case 1: return at;
      case 2: return after;
      default: return detail::kUnknown;
    }
  }
};

struct Comparison {
  std::string_view pattern;
  bool folded;
};

bool CanMatch(const Comparison& c, const WindowBytes& bytes, bool wideDoc,
              const MatchOptions& options) {
  std::size_t length = 0;
  const auto outcome = c.folded ? detail::CompareFoldedAt(bytes, 1, c.pattern, wideDoc, options, length)
                                : detail::CompareAt(bytes, 1, c.pattern, wideDoc, options, length);
  return outcome != detail::Outcome::NoMatch;
}

// Runs the comparers themselves over every value of the byte at the position and
// the byte after it (and whether the byte before is 0x82, which one rule looks
// at), with all further bytes unknown, and keeps the pairs they do not reject.
std::vector<Alternative> EnumeratedFilter(const std::vector<Comparison>& comparisons,
                                          bool wideDoc, const MatchOptions& options) {
  std::map<std::pair<bool, std::string>, ByteSet> groups;  // (needs 0x82 before, after) -> at
  for (int at = 0; at < 256; ++at) {
    ByteSet after[2];
    for (int before82 = 0; before82 < 2; ++before82) {
      const int before = before82 ? 0x82 : 0x00;
      for (const Comparison& c : comparisons) {
        if (!CanMatch(c, {before, at, detail::kUnknown}, wideDoc, options)) continue;
        for (int next = 0; next < 256; ++next)
          if (!after[before82][next] && CanMatch(c, {before, at, next}, wideDoc, options))
            after[before82][next] = true;
      }
    }
    if (after[0].any()) groups[{false, after[0].to_string()}][at] = true;
    const ByteSet only82 = after[1] & ~after[0];
    if (only82.any()) groups[{true, only82.to_string()}][at] = true;
  }
  std::vector<Alternative> alternatives;
  for (const auto& [key, atBytes] : groups) {
    Alternative alternative;
    if (key.first) alternative.push_back({-1, ByteSet().set(0x82)});
    alternative.push_back({0, atBytes});
    const ByteSet afterBytes(key.second);
    if (!afterBytes.all()) alternative.push_back({1, afterBytes});
    alternatives.push_back(alternative);
  }
  return alternatives;
}

// One alternative testing the union of the bytes at each offset: passes more
// positions, needs fewer tests.
std::vector<Alternative> Merged(const std::vector<Alternative>& alternatives) {
  ByteSet at, after;
  bool anyAfter = false;
  for (const Alternative& alternative : alternatives) {
    bool hasAfter = false;
    for (const Condition& c : alternative) {
      if (c.offset == 0) at |= c.bytes;
      if (c.offset == 1) after |= c.bytes, hasAfter = true;
    }
    if (!hasAfter) anyAfter = true;
  }
  Alternative merged{{0, at}};
  if (!anyAfter) merged.push_back({1, after});
  return {merged};
}

bool Fits(const std::vector<Alternative>& alternatives) {
  if (alternatives.size() > static_cast<std::size_t>(CandidateFilter::kMaxAlternatives)) return false;
  for (const Alternative& alternative : alternatives)
    for (const Condition& c : alternative)
      if (TestsFor(c.bytes).size() > static_cast<std::size_t>(FilterCondition::kMaxTests)) return false;
  return true;
}

}  // namespace

CandidateFilter CandidateFilter::For(const MatchPatterns& patterns, const MatchOptions& options,
                                     bool tryForms) {
  const bool numbers = options.mode == SearchMode::Numbers;
  const bool skip = options.skipLineBreaks && !numbers;
  std::vector<Alternative> alternatives;
  if (!skip && !tryForms) {
    alternatives = FixedOffsetFilter(patterns.pattern, options.caseSensitive || numbers);
  } else {
    std::vector<Comparison> comparisons{{patterns.pattern, false}};
    if (tryForms) {
      comparisons.push_back({patterns.hiraganaForm, true});
      comparisons.push_back({patterns.katakanaForm, true});
    }
    alternatives = EnumeratedFilter(comparisons, patterns.wideDoc, options);
    if (alternatives.empty()) return CandidateFilter{};  // nothing can match anywhere
    if (!Fits(alternatives)) {
      alternatives = Merged(alternatives);
      Alternative& merged = alternatives[0];
      // A test of the byte after that is too wide to help is dropped; when even
      // the byte at the position is, every position is a candidate.
      if (merged.size() > 1 && !Fits(alternatives)) merged.pop_back();
      if (!Fits(alternatives)) alternatives.clear();
    }
  }
  if (alternatives.empty()) {
    CandidateFilter everywhere;
    everywhere.everywhere = true;
    return everywhere;
  }

  CandidateFilter filter;
  for (const Alternative& alternative : alternatives) {
    FilterAlternative& out = filter.alternatives[filter.alternativeCount++];
    for (const Condition& c : alternative) {
      FilterCondition& condition = out.conditions[out.conditionCount++];
      condition.offset = c.offset;
      for (const ByteTest& test : TestsFor(c.bytes)) condition.tests[condition.testCount++] = test;
      filter.minOffset = std::min(filter.minOffset, c.offset);
      filter.maxOffset = std::max(filter.maxOffset, c.offset);
    }
  }
  return filter;
}

bool CandidateFilter::Passes(const unsigned char* data, std::size_t size, std::size_t position) const {
  for (int a = 0; a < alternativeCount; ++a) {
    const FilterAlternative& alternative = alternatives[a];
    bool holds = true;
    for (int c = 0; c < alternative.conditionCount && holds; ++c) {
      const FilterCondition& condition = alternative.conditions[c];
      const auto index = static_cast<std::ptrdiff_t>(position) + condition.offset;
      if (index < 0 || static_cast<std::size_t>(index) >= size) continue;  // unknown: may hold
      const unsigned char byte = data[index];
      bool passes = false;
      for (int t = 0; t < condition.testCount; ++t)
        passes = passes || (byte | condition.tests[t].orMask) == condition.tests[t].value;
      holds = passes;
    }
    if (holds) return true;
  }
  return everywhere;
}

}  // namespace trovex::search
