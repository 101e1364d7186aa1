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
  static const int kLetters[26] = {82, 15, 28, 43, 127, 22, 20, 61, 70, 2,  8, 40, 24,
                                   67, 75, 19, 1,  60,  63, 91, 28, 10, 24, 2, 20, 1};
  int score = 10;  // a trail byte of a double-byte character
  if (b >= 'a' && b <= 'z')
    score = 12 + kLetters[b - 'a'];
  else if (b >= 'A' && b <= 'Z')
    score = 10 + kLetters[b - 'A'] / 10;
  else if (b == ' ')
    score = 150;
  else if (b == '\r' || b == '\n')
    score = 25;
  else if (b < 0x20 || b == 0x7F || b == 0x80 || b == 0xA0 || b >= 0xFD)
    score = 2;
  else if (b < 0x40)
    score = 8;  // digits and punctuation
  else if (b == 0x82)
    score = 250;  // hiragana, full-width letters
  else if (b == 0x83)
    score = 90;  // katakana
  else if (b == 0x81)
    score = 70;  // punctuation
  else if (b >= 0x9F && b <= 0xF1)
    score = 25;  // trail bytes of hiragana
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
// test the two rarest, the earlier of two equally rare first. A byte's rarity
// depends on its value alone, so it is reckoned once per value: a long content
// costs one pass.
std::vector<Alternative> FixedOffsetFilter(std::string_view pattern, bool exact) {
  if (pattern.empty()) return {};
  int scores[256];
  bool scored[256] = {};
  const auto rarity = [&](std::size_t j) {
    const auto q = static_cast<unsigned char>(pattern[j]);
    if (!scored[q]) {
      scores[q] = Commonness(EqualBytes(q, exact));
      scored[q] = true;
    }
    return scores[q];
  };
  std::size_t rarest = 0;
  for (std::size_t j = 1; j < pattern.size(); ++j)
    if (rarity(j) < rarity(rarest)) rarest = j;
  std::vector<Condition> conditions{
      {static_cast<int>(rarest), EqualBytes(static_cast<unsigned char>(pattern[rarest]), exact)}};
  std::size_t next = pattern.size();
  for (std::size_t j = 0; j < pattern.size(); ++j)
    if (j != rarest && (next == pattern.size() || rarity(j) < rarity(next))) next = j;
  if (next != pattern.size())
    conditions.push_back(
        {static_cast<int>(next), EqualBytes(static_cast<unsigned char>(pattern[next]), exact)});
  return {conditions};
}

// The bytes around a start position: the one before, the one at it and the two
// after it; all further bytes unknown.
struct WindowBytes {
  int bytes[4];
  int At(std::size_t index) const { return index < 4 ? bytes[index] : detail::kUnknown; }
};

struct Comparison {
  std::string_view pattern;
  bool folded;
};

detail::Outcome Decide(const std::vector<Comparison>& comparisons, const WindowBytes& window,
                       bool wideDoc, const MatchOptions& options) {
  bool undecided = false;
  for (const Comparison& c : comparisons) {
    std::size_t length = 0;
    const auto outcome =
        c.folded ? detail::CompareFoldedAt(window, 1, c.pattern, wideDoc, options, length)
                 : detail::CompareAt(window, 1, c.pattern, wideDoc, options, length);
    if (outcome == detail::Outcome::Match) return outcome;
    undecided = undecided || outcome == detail::Outcome::Undecided;
  }
  return undecided ? detail::Outcome::Undecided : detail::Outcome::NoMatch;
}

// Joins alternatives that differ in the bytes of one condition only: the union
// passes exactly the positions the two did.
void MergeExactly(std::vector<Alternative>& alternatives) {
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t a = 0; a < alternatives.size() && !merged; ++a) {
      for (std::size_t b = a + 1; b < alternatives.size() && !merged; ++b) {
        Alternative& x = alternatives[a];
        const Alternative& y = alternatives[b];
        if (x.size() != y.size()) continue;
        int differing = -1, count = 0;
        for (std::size_t c = 0; c < x.size(); ++c) {
          if (x[c].offset != y[c].offset)
            count = 2;
          else if (!(x[c].bytes == y[c].bytes))
            differing = static_cast<int>(c), ++count;
        }
        if (count > 1) continue;
        if (differing >= 0) x[differing].bytes |= y[differing].bytes;
        alternatives.erase(alternatives.begin() + static_cast<std::ptrdiff_t>(b));
        merged = true;
      }
    }
  }
}

void DropFrom(std::vector<Alternative>& alternatives, int offset);

// Runs the comparers themselves over every value of the byte at the position and
// the two after it (and whether the byte before is 0x82, which one rule looks at),
// with all further bytes unknown, and keeps the combinations they do not reject.
std::vector<Alternative> EnumeratedFilter(const std::vector<Comparison>& comparisons, bool wideDoc,
                                          const MatchOptions& options) {
  using detail::kUnknown;
  using detail::Outcome;
  std::vector<Alternative> alternatives;
  bool pairsOnly = false;
  for (int at = 0; at < 256; ++at) {
    Outcome first[2];
    for (int before82 = 0; before82 < 2; ++before82)
      first[before82] =
          Decide(comparisons, {{before82 ? 0x82 : 0x00, at, kUnknown, kUnknown}}, wideDoc, options);
    if (first[0] == Outcome::NoMatch && first[1] == Outcome::NoMatch) continue;
    if (first[0] == Outcome::Match) {  // decided by the byte at the position alone
      alternatives.push_back({{0, ByteSet().set(static_cast<std::size_t>(at))}});
      MergeExactly(alternatives);
      continue;
    }
    // following[before82][next]: the bytes that may come after at, next.
    ByteSet following[2][256];
    for (int before82 = 0; before82 < 2; ++before82) {
      const int before = before82 ? 0x82 : 0x00;
      if (first[before82] == Outcome::NoMatch) continue;
      for (int next = 0; next < 256; ++next) {
        const Outcome second =
            first[before82] == Outcome::Match
                ? Outcome::Match
                : Decide(comparisons, {{before, at, next, kUnknown}}, wideDoc, options);
        if (second == Outcome::NoMatch) continue;
        if (second == Outcome::Match) {
          following[before82][next].set();
          continue;
        }
        for (int third = 0; third < 256; ++third)
          if (Decide(comparisons, {{before, at, next, third}}, wideDoc, options) !=
              Outcome::NoMatch)
            following[before82][next][third] = true;
      }
    }
    for (int before82 = 0; before82 < 2; ++before82) {
      // Bytes after `at` grouped by what may follow them.
      std::map<std::string, ByteSet> nextsByThird;
      for (int next = 0; next < 256; ++next) {
        ByteSet third = following[before82][next];
        if (before82) third &= ~following[0][next];  // what the other alternatives leave
        if (third.any()) nextsByThird[pairsOnly ? std::string() : third.to_string()][next] = true;
      }
      for (const auto& [thirdKey, nextBytes] : nextsByThird) {
        Alternative alternative;
        if (before82) alternative.push_back({-1, ByteSet().set(0x82)});
        alternative.push_back({0, ByteSet().set(static_cast<std::size_t>(at))});
        if (!nextBytes.all()) alternative.push_back({1, nextBytes});
        const ByteSet third = pairsOnly ? ByteSet().set() : ByteSet(thirdKey);
        if (!third.all()) alternative.push_back({2, third});
        alternatives.push_back(alternative);
      }
    }
    MergeExactly(alternatives);
    // Many different alternatives: test the position and the byte after only.
    if (!pairsOnly && alternatives.size() > 2 * CandidateFilter::kMaxAlternatives) {
      pairsOnly = true;
      DropFrom(alternatives, 2);
    }
  }
  return alternatives;
}

bool Fits(const std::vector<Alternative>& alternatives) {
  if (alternatives.size() > static_cast<std::size_t>(CandidateFilter::kMaxAlternatives))
    return false;
  for (const Alternative& alternative : alternatives)
    for (const Condition& c : alternative)
      if (TestsFor(c.bytes).size() > static_cast<std::size_t>(FilterCondition::kMaxTests))
        return false;
  return true;
}

// Fewer tests that pass more positions: drops the conditions from `offset` on.
void DropFrom(std::vector<Alternative>& alternatives, int offset) {
  for (Alternative& alternative : alternatives)
    while (!alternative.empty() && alternative.back().offset >= offset) alternative.pop_back();
  MergeExactly(alternatives);
}

// One alternative testing the union of the bytes at the position and the one after.
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
  if (!anyAfter && !after.all()) merged.push_back({1, after});
  return {merged};
}

// The two offsets whose bytes, joined over all alternatives, are rarest together.
PreFilter ChoosePreFilter(const std::vector<Alternative>& alternatives) {
  std::map<int, ByteSet> unions;  // offsets every alternative tests
  for (const Condition& tested : alternatives.empty() ? Alternative{} : alternatives.front()) {
    const int offset = tested.offset;
    ByteSet joined;
    bool everyOne = true;
    for (const Alternative& alternative : alternatives) {
      const auto c = std::find_if(alternative.begin(), alternative.end(),
                                  [&](const Condition& x) { return x.offset == offset; });
      if (c == alternative.end())
        everyOne = false;
      else
        joined |= c->bytes;
    }
    if (everyOne && joined.count() <= PreFilter::kMaxValues) unions[offset] = joined;
  }
  // Fixed-offset filters test other offsets: take them as they are.
  if (alternatives.size() == 1)
    for (const Condition& c : alternatives[0])
      if (c.bytes.count() <= PreFilter::kMaxValues) unions[c.offset] = c.bytes;
  PreFilter pre;
  double best = 0;
  for (auto a = unions.begin(); a != unions.end(); ++a) {
    for (auto b = a; b != unions.end(); ++b) {
      const bool single = a == b;
      const double score = single
                               ? Commonness(a->second) * 10000.0
                               : static_cast<double>(Commonness(a->second)) * Commonness(b->second);
      if (pre.counts[0] != 0 && score >= best) continue;
      best = score;
      pre = PreFilter{};
      const std::pair<const int, ByteSet>* chosen[2] = {&*a, single ? nullptr : &*b};
      for (int k = 0; k < 2 && chosen[k]; ++k) {
        pre.offsets[k] = chosen[k]->first;
        for (int v = 0; v < 256; ++v)
          if (chosen[k]->second[v]) pre.values[k][pre.counts[k]++] = static_cast<std::uint8_t>(v);
      }
    }
  }
  return pre;
}

}  // namespace

namespace {

// What a form's filter says: these alternatives, or that it matches nowhere, or
// that no filter helps (every position is a candidate).
struct FormFilter {
  enum Kind { Some, Nowhere, Everywhere } kind = Some;
  std::vector<Alternative> alternatives;
};

// The Shift-JIS form's filter, with at most `budget` alternatives.
FormFilter ShiftJisFilter(const MatchPatterns& patterns, const MatchOptions& options, bool tryForms,
                          std::size_t budget) {
  const bool numbers = options.mode == SearchMode::Numbers;
  const bool skip = options.skipLineBreaks && !numbers;
  FormFilter filter;
  if (!skip && !tryForms) {
    filter.alternatives = FixedOffsetFilter(patterns.pattern, options.caseSensitive || numbers);
  } else {
    std::vector<Comparison> comparisons{{patterns.pattern, false}};
    if (tryForms) {
      comparisons.push_back({patterns.hiraganaForm, true});
      comparisons.push_back({patterns.katakanaForm, true});
    }
    filter.alternatives = EnumeratedFilter(comparisons, patterns.wideDoc, options);
    if (filter.alternatives.empty()) return {FormFilter::Nowhere, {}};
    auto& alternatives = filter.alternatives;
    const auto fits = [&] { return Fits(alternatives) && alternatives.size() <= budget; };
    if (!fits()) DropFrom(alternatives, 2);
    if (!fits()) alternatives = Merged(alternatives);
    if (!fits()) DropFrom(alternatives, 1);
    if (!fits()) alternatives.clear();
  }
  if (filter.alternatives.empty() || filter.alternatives.size() > budget)
    filter.kind = FormFilter::Everywhere;
  return filter;
}

// One alternative for a form of slots: the bytes its first slot may start with
// and, when every alternative of that slot has two bytes or more, the second
// bytes. Empty: no filter helps.
Alternative SlotsAlternative(const detail::FormSlots& slots, TextEncoding encoding, bool exact) {
  const auto equal = [&](std::string_view bytes, std::size_t j) {
    return EqualBytes(static_cast<unsigned char>(bytes[j]),
                      exact || !detail::FoldableByte(encoding, bytes, j));
  };
  const auto small = [](const ByteSet& set) {
    return TestsFor(set).size() <= static_cast<std::size_t>(FilterCondition::kMaxTests);
  };
  if (slots.Count() == 0) return {};
  ByteSet first, second;
  bool allTwo = true;
  for (std::size_t k = 0; k < slots.AlternativeCount(0); ++k) {
    const std::string_view a = slots.Alternative(0, k);
    if (a.empty()) return {};
    first |= equal(a, 0);
    if (a.size() < 2)
      allTwo = false;
    else
      second |= equal(a, 1);
  }
  Alternative alternative;
  if (small(first)) alternative.push_back({0, first});
  if (allTwo && small(second)) alternative.push_back({1, second});
  return alternative;
}

// Several forms without skipped line breaks and folding, each a byte string: the
// same two offsets tested in every form, chosen so that the union of the forms'
// bytes there is rarest, which lets the prefilter pass over whole blocks.
std::vector<Alternative> SharedOffsetFilter(const MatchPatterns& patterns, bool exact) {
  struct FormBytes {
    std::string_view bytes;
    TextEncoding encoding;
  };
  std::vector<FormBytes> forms;
  if (patterns.shiftJis) forms.push_back({patterns.pattern, TextEncoding::ShiftJis});
  for (const EncodedForm& form : patterns.Others()) forms.push_back({form.bytes, form.encoding});
  // The offsets looked at: the first 64 are plenty to find a rare pair, and keep a
  // long content's preparation short.
  std::size_t shortest = forms.empty() ? 0 : forms.front().bytes.size();
  for (const FormBytes& f : forms) shortest = std::min(shortest, f.bytes.size());
  shortest = std::min<std::size_t>(shortest, 64);
  if (shortest == 0) return {};
  const auto setOf = [&](const FormBytes& f, std::size_t j) {
    const bool folds = !exact && (f.encoding == TextEncoding::ShiftJis ||
                                  detail::FoldableByte(f.encoding, f.bytes, j));
    return EqualBytes(static_cast<unsigned char>(f.bytes[j]), !folds);
  };
  // The two offsets whose unions are rarest (the earlier of equals first), each
  // fitting the tests; their product is then the smallest.
  int first = -1, second = -1, firstScore = 0, secondScore = 0;
  for (std::size_t j = 0; j < shortest; ++j) {
    ByteSet joined;
    bool fits = true;
    for (const FormBytes& f : forms) {
      const ByteSet set = setOf(f, j);
      fits = fits && TestsFor(set).size() <= static_cast<std::size_t>(FilterCondition::kMaxTests);
      joined |= set;
    }
    if (!fits || joined.count() > static_cast<std::size_t>(PreFilter::kMaxValues)) continue;
    // Up to four values are tested in half the instructions of eight.
    const int score = Commonness(joined) * (joined.count() > 4 ? 2 : 1);
    if (first < 0 || score < firstScore) {
      second = first, secondScore = firstScore;
      first = static_cast<int>(j), firstScore = score;
    } else if (second < 0 || score < secondScore) {
      second = static_cast<int>(j), secondScore = score;
    }
  }
  if (second >= 0 && second < first) std::swap(first, second);
  if (first < 0) return {};
  std::vector<Alternative> alternatives;
  for (const FormBytes& f : forms) {
    Alternative alternative{{first, setOf(f, static_cast<std::size_t>(first))}};
    if (second >= 0) alternative.push_back({second, setOf(f, static_cast<std::size_t>(second))});
    alternatives.push_back(std::move(alternative));
  }
  MergeExactly(alternatives);
  return alternatives;
}

}  // namespace

CandidateFilter CandidateFilter::For(const MatchPatterns& patterns, const MatchOptions& options,
                                     bool tryForms) {
  const bool numbers = options.mode == SearchMode::Numbers;
  const bool skip = options.skipLineBreaks && !numbers;
  const bool exact = options.caseSensitive || numbers;
  CandidateFilter everywhere;
  everywhere.everywhere = true;
  std::vector<Alternative> alternatives;
  if (!skip && !tryForms && !patterns.Others().empty()) {
    alternatives = SharedOffsetFilter(patterns, exact);
    if (alternatives.empty() || !Fits(alternatives)) return everywhere;
  } else {
    for (const EncodedForm& form : patterns.Others()) {
      Alternative alternative =
          SlotsAlternative(detail::SlotsOf(form, tryForms), form.encoding, exact);
      if (alternative.empty()) return everywhere;
      alternatives.push_back(std::move(alternative));
    }
    if (alternatives.size() > static_cast<std::size_t>(kMaxAlternatives)) return everywhere;
    if (patterns.shiftJis) {
      FormFilter own =
          ShiftJisFilter(patterns, options, tryForms, kMaxAlternatives - alternatives.size());
      if (own.kind == FormFilter::Everywhere) return everywhere;
      alternatives.insert(alternatives.begin(), own.alternatives.begin(), own.alternatives.end());
    }
    if (alternatives.empty()) return CandidateFilter{};  // nothing can match anywhere
    if (!patterns.Others().empty()) MergeExactly(alternatives);
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
  filter.prefilter = ChoosePreFilter(alternatives);
  return filter;
}

bool CandidateFilter::Passes(const unsigned char* data, std::size_t size,
                             std::size_t position) const {
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
