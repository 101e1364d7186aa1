// The fast matcher against the definition: the comparers tried at every start
// position in order, the first one that matches wins.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "native/naive_matcher.h"
#include "search/buffer_matcher.h"
#include "search/candidate_filter.h"
#include "search/content_matcher.h"
#include "search/file_scan.h"

using namespace trovex::search;

namespace {

// Bytes that take part in the comparers' special cases.
const unsigned char kInteresting[] = {'a',  'A',  'b',  'B',  'z',  'Z',  '\r', '\n', 0x00,
                                      0x81, 0x82, 0x83, 0x60, 0x61, 0x79, 0x40, 0x41, 0x50,
                                      0x31, 0xA2, ' ',  ',',  '(',  0x9A, 0x4F, 0xC6, 0x30};

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : rng_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(int percent) { return Below(100) < percent; }

  char Byte() {
    if (Chance(70)) return static_cast<char>(kInteresting[Below(sizeof kInteresting)]);
    return static_cast<char>(Below(256));
  }

  std::string Bytes(int maxLength) {
    std::string out;
    for (int n = Below(maxLength + 1); n > 0; --n) out += Byte();
    return out;
  }

  // Full-width characters of the kinds folding knows, now and then an odd byte.
  std::string Form() {
    std::string out;
    for (int n = Below(5); n > 0; --n) {
      switch (Below(6)) {
        case 0:
          out += {'\x82', static_cast<char>(0x81 + Below(26))};
          break;  // small letters
        case 1:
          out += {'\x82', static_cast<char>(0x60 + Below(26))};
          break;  // capitals
        case 2:
          out += {'\x82', static_cast<char>(0x4F + Below(10))};
          break;  // digits
        case 3:
          out += {'\x81', static_cast<char>(0x40 + Below(0x58))};
          break;  // symbols
        case 4:
          out += {'\x82', static_cast<char>(0x9F + Below(80))};
          break;  // hiragana
        default:
          out += Byte();
      }
    }
    return out;
  }

  // Text that holds the patterns now and then, often changed a little.
  std::string Data(const MatchPatterns& p, std::size_t length) {
    std::string out;
    while (out.size() < length) {
      const int kind = Below(10);
      std::string piece;
      if (kind < 2)
        piece = p.pattern;
      else if (kind < 4)
        piece = Below(2) ? p.hiraganaForm : p.katakanaForm;
      else if (kind < 5)
        piece = Halved(Below(2) ? p.hiraganaForm : p.katakanaForm);
      else
        piece = Bytes(6);
      if (!piece.empty() && Chance(40)) Mutate(piece);
      out += piece;
    }
    out.resize(length);
    return out;
  }

 private:
  // Full-width letters and digits written in ASCII, in either case.
  std::string Halved(const std::string& form) {
    std::string out;
    for (std::size_t i = 0; i < form.size(); ++i) {
      const auto q = static_cast<unsigned char>(form[i]);
      const auto r = i + 1 < form.size() ? static_cast<unsigned char>(form[i + 1]) : 0;
      if (q == 0x82 && r >= 0x81 && r <= 0x9A && Chance(70)) {
        out += static_cast<char>(Chance(50) ? r - 0x20 : r - 0x40);
        ++i;
      } else if (q == 0x82 && r >= 0x4F && r <= 0x58 && Chance(70)) {
        out += static_cast<char>(r - 0x1F);
        ++i;
      } else {
        out += form[i];
      }
    }
    return out;
  }

  void Mutate(std::string& piece) {
    const std::size_t at = static_cast<std::size_t>(Below(static_cast<int>(piece.size())));
    switch (Below(4)) {
      case 0: {
        const std::string lineBreak = Chance(50) ? "\r\n" : std::string("\r\0", 2);
        std::string mutated(piece, 0, at);
        mutated += lineBreak;
        mutated.append(piece, at, std::string::npos);
        piece = std::move(mutated);
        break;
      }
      case 1:
        piece[at] = static_cast<char>(piece[at] ^ 0x20);
        break;
      case 2:
        piece[at] = Byte();
        break;
      default:
        piece.erase(at, 1);
    }
  }

  std::mt19937 rng_;
};

struct Case {
  MatchPatterns patterns;
  MatchOptions options;
};

Case RandomCase(Generator& g) {
  Case c;
  c.options.caseSensitive = g.Chance(30);
  c.options.foldedCaseSensitive = g.Chance(80) ? c.options.caseSensitive : !c.options.caseSensitive;
  c.options.skipLineBreaks = g.Chance(40);
  c.options.foldWidthAndKana = g.Chance(50);
  c.options.mode = g.Chance(15) ? SearchMode::Numbers : SearchMode::Text;
  c.patterns.wideDoc = g.Chance(25);
  c.patterns.folded = g.Chance(80);
  c.patterns.hiraganaForm = g.Form();
  c.patterns.katakanaForm = g.Chance(70) ? c.patterns.hiraganaForm : g.Form();
  c.patterns.pattern = g.Chance(50) ? g.Bytes(6) : c.patterns.hiraganaForm;
  if (g.Chance(3)) c.patterns.pattern.clear();
  return c;
}

std::string Describe(const Case& c) {
  std::ostringstream out;
  out << "pattern";
  for (unsigned char b : c.patterns.pattern) out << ' ' << int{b};
  out << " | form";
  for (unsigned char b : c.patterns.hiraganaForm) out << ' ' << int{b};
  out << " | case " << c.options.caseSensitive << c.options.foldedCaseSensitive << " skip "
      << c.options.skipLineBreaks << " fold " << (c.options.foldWidthAndKana && c.patterns.folded)
      << " numbers " << (c.options.mode == SearchMode::Numbers) << " wide " << c.patterns.wideDoc;
  return out.str();
}

// A block scan of either instruction set, and a visitor that marks every candidate
// it is given with 'c' in the string passed as context and goes on to the end.
using BlockScan = std::size_t (*)(const CandidateFilter&, const unsigned char*, std::size_t,
                                  std::size_t, CandidateBlockVisitor, void*);
bool MarkCandidates(void* context, std::size_t start, std::uint64_t mask) {
  auto& passed = *static_cast<std::string*>(context);
  for (int k = 0; k < 64; ++k)
    if (mask >> k & 1) passed[start + static_cast<std::size_t>(k)] = 'c';
  return false;
}

}  // namespace

TEST(MatcherDifferential, FirstHitAndLengthEqualTheDefinitionInEveryMode) {
  Generator g(20261208);
  int hits = 0;
  for (int round = 0; round < 4000; ++round) {
    const Case c = RandomCase(g);
    const BufferMatcher matcher(c.patterns, c.options);
    const std::string data = g.Data(c.patterns, static_cast<std::size_t>(g.Below(400)));
    const std::size_t from =
        static_cast<std::size_t>(g.Below(static_cast<int>(data.size()) + 1) / 4);
    const std::size_t to =
        g.Chance(70)
            ? data.size()
            : from + static_cast<std::size_t>(g.Below(static_cast<int>(data.size() - from) + 1));
    const auto expected = NaiveFirst(data, from, to, c.patterns, c.options);
    const auto actual = matcher.FindFirst(data, from, to);
    ASSERT_EQ(expected.has_value(), actual.has_value()) << "round " << round << ": " << Describe(c);
    if (expected) {
      ++hits;
      ASSERT_EQ(expected->offset, actual->offset) << "round " << round << ": " << Describe(c);
      ASSERT_EQ(expected->matchedLength, actual->matchedLength)
          << "round " << round << ": " << Describe(c);
    }
  }
  // The generator must give both outcomes plenty of times.
  EXPECT_GT(hits, 1000);
  EXPECT_LT(hits, 3900);
}

TEST(MatcherDifferential, BlockTestsPassEveryMatchAndAgreeOnEveryInstructionSet) {
  Generator g(99);
  int filtered = 0;
  for (int round = 0; round < 1500; ++round) {
    const Case c = RandomCase(g);
    const bool forms =
        c.patterns.folded && c.options.foldWidthAndKana && c.options.mode == SearchMode::Text;
    const CandidateFilter filter = CandidateFilter::For(c.patterns, c.options, forms);
    if (filter.Everywhere()) continue;
    ++filtered;
    const std::string data = g.Data(c.patterns, 300 + static_cast<std::size_t>(g.Below(300)));
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    const std::size_t from = 1, to = data.size() - static_cast<std::size_t>(filter.MaxOffset());
    for (BlockScan scan : {&ScanCandidateBlocks, &ScanCandidateBlocksBaseline}) {
      std::string passed(data.size(), '-');
      const std::size_t i = scan(filter, bytes, from, to, MarkCandidates, &passed);
      for (std::size_t position = from; position < i; ++position) {
        const bool candidate = passed[position] == 'c';
        ASSERT_EQ(candidate, filter.Passes(bytes, data.size(), position))
            << "round " << round << " position " << position << ": " << Describe(c);
        if (!candidate) {
          ASSERT_FALSE(NaiveFirst(data, position, position + 1, c.patterns, c.options))
              << "round " << round << " position " << position << ": " << Describe(c);
        }
      }
    }
  }
  EXPECT_GT(filtered, 1000);  // most cases get a filter
}

// Files of a little over two chunks, read unbuffered where the volume allows and
// through the cache (no volume lookup, the default chunk): both must find what a
// search of the whole file finds.
TEST(MatcherDifferential, FileScanFindsWhatTheWholeFileHolds) {
  namespace stdfs = std::filesystem;
  const stdfs::path dir =
      stdfs::temp_directory_path() / ("trovex-diff-" + std::to_string(std::random_device{}()));
  stdfs::create_directories(dir);
  Generator g(7);
  ScanState read, cached;
  cached.readThroughCache = true;
  std::atomic<bool> cancel{false};
  constexpr std::size_t kChunk = 512 * 1024;
  int hits = 0;
  for (int round = 0; round < 24; ++round) {
    Case c = RandomCase(g);
    // Sparse matches: filler that cannot start one, the patterns planted across
    // the chunk boundaries and at the very end.
    std::string data(2 * kChunk + 700 + static_cast<std::size_t>(g.Below(600)), '\x07');
    for (int plant = 0; plant < 3; ++plant) {
      const std::string piece = g.Data(c.patterns, 16 + static_cast<std::size_t>(g.Below(24)));
      const std::size_t boundary =
          plant < 2 && g.Chance(80) ? kChunk * static_cast<std::size_t>(1 + plant) : data.size();
      const std::size_t at =
          boundary - std::min(boundary, piece.size() - static_cast<std::size_t>(g.Below(8)));
      data.replace(at, std::min(piece.size(), data.size() - at), piece);
    }
    if (c.patterns.pattern.empty()) c.patterns.pattern = "\x07\x07";
    std::ostringstream name;
    name << "f" << round << ".bin";
    const stdfs::path path = dir / name.str();
    std::ofstream(path, std::ios::binary)
        .write(data.data(), static_cast<std::streamsize>(data.size()));
    const auto expected = NaiveFirst(data, 0, data.size(), c.patterns, c.options);
    for (ScanState* state : {&read, &cached}) {
      const auto actual = ScanFile(path.string(), c.patterns, c.options, *state, cancel);
      ASSERT_EQ(expected.has_value(), actual.has_value())
          << "round " << round << " cached " << state->readThroughCache << ": " << Describe(c);
      if (expected) {
        EXPECT_EQ(expected->offset, *actual)
            << "round " << round << " cached " << state->readThroughCache << ": " << Describe(c);
      }
    }
    if (expected) ++hits;
  }
  EXPECT_GT(hits, 6);
  std::error_code ignored;
  stdfs::remove_all(dir, ignored);
}

// Prefilter sets tested by comparing each value, by one table lookup (low halves
// all different, below 0x80 or not) and by nibbles: the block scan passes exactly
// the positions the scalar test does, over data full of the sets' bytes and of
// bytes sharing a half with them, two blocks at a time and at the tail.
TEST(MatcherDifferential, PrefilterSetsPassExactlyTheirPositionsOnEveryInstructionSet) {
  const std::vector<std::vector<std::uint8_t>> sets = {
      {0x70},                                // one value
      {0x0D, 0x61},                          // a lookup below 0x80
      {0x66, 0xC5, 0xDE},                    // a lookup of any bytes
      {0x81, 0xB0},                          // two compares
      {0x61, 0x71, 0x81},                    // low halves shared: compares
      {0x00, 0x10, 0x20, 0x30, 0x40, 0x50},  // nibbles
      {0x01, 0x12, 0x23, 0x34, 0x45, 0x7F},  // a lookup of six
  };
  const int offsetPairs[][2] = {{0, 1}, {1, 2}, {0, 5}, {3, 3}};
  std::mt19937 rng(31);
  int checked = 0;
  for (const auto& firstSet : sets) {
    for (const auto& secondSet : sets) {
      for (const auto& offsets : offsetPairs) {
        CandidateFilter filter;
        filter.alternativeCount = 1;
        FilterAlternative& alternative = filter.alternatives[0];
        const std::vector<std::uint8_t>* chosen[2] = {&firstSet, &secondSet};
        std::vector<std::uint8_t> alphabet = {0x00, 0x80, 0xFF};
        for (int c = 0; c < 2; ++c) {
          FilterCondition& condition = alternative.conditions[alternative.conditionCount++];
          condition.offset = offsets[c];
          filter.prefilter.offsets[c] = offsets[c];
          for (std::uint8_t v : *chosen[c]) {
            condition.tests[condition.testCount++] = {0, v};
            filter.prefilter.values[c][filter.prefilter.counts[c]++] = v;
            // The byte itself and bytes with its low or its high half.
            for (std::uint8_t twin :
                 {v, static_cast<std::uint8_t>(v ^ 0x10), static_cast<std::uint8_t>(v ^ 0x80),
                  static_cast<std::uint8_t>(v ^ 0x01)})
              alphabet.push_back(twin);
          }
        }
        filter.maxOffset = std::max(offsets[0], offsets[1]);
        std::string data(200 + rng() % 500, '\0');
        for (char& b : data) b = static_cast<char>(alphabet[rng() % alphabet.size()]);
        const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
        const std::size_t from = rng() % 70, to = data.size() - 8;
        for (BlockScan scan : {&ScanCandidateBlocks, &ScanCandidateBlocksBaseline}) {
          std::string passed(data.size(), '-');
          const std::size_t end = scan(filter, bytes, from, to, MarkCandidates, &passed);
          ASSERT_GT(end + 64, to) << "the scan stopped early";
          for (std::size_t position = from; position < end; ++position) {
            ASSERT_EQ(passed[position] == 'c', filter.Passes(bytes, data.size(), position))
                << "position " << position << " offsets " << offsets[0] << "," << offsets[1]
                << " sets of " << firstSet.size() << " and " << secondSet.size();
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 100000);
}

// The benchmark's slow modes over text: a word across a line break and the folded
// forms, planted on and around the borders of the 64-byte blocks; the first hit from
// every start must be the definition's.
TEST(MatcherDifferential, SkippedBreaksAndFoldedFormsAtBlockBordersMatchTheDefinition) {
  struct Mode {
    MatchPatterns patterns;
    MatchOptions options;
    std::vector<std::string> pieces;  // what is planted
  };
  std::vector<Mode> modes;
  for (bool caseSensitive : {true, false}) {
    Mode skip;
    skip.patterns.pattern = "patterns";
    skip.options.caseSensitive = skip.options.foldedCaseSensitive = caseSensitive;
    skip.options.skipLineBreaks = true;
    skip.pieces = {"pat\r\nterns",     "p\r\natterns", "patter\r\nns", "Patterns",
                   "pa\r\n\r\ntterns", "patterns",     "pat\rterns"};
    modes.push_back(skip);
    Mode fold;
    fold.patterns.pattern = "\xC3\xDE\xB0\xC0";  // half-width "データ"
    fold.patterns.folded = true;
    fold.patterns.hiraganaForm = "\x82\xC5\x81\x5B\x82\xBD";
    fold.patterns.katakanaForm = "\x83\x66\x81\x5B\x83\x5E";
    fold.options.caseSensitive = fold.options.foldedCaseSensitive = caseSensitive;
    fold.options.foldWidthAndKana = true;
    fold.options.skipLineBreaks = !caseSensitive;
    fold.pieces = {"\x82\xC5\xB0\x82\xBD", "\x83\x66\x81\x5B\x83\x5E",
                   "\xC3\xDE\xB0\xC0",     "\x83\x66\r\n\x81\x5B\x83\x5E",
                   "\x82\xC5\x81\x5B\x82", "\x82\x82\xC5\x81\x5B\x82\xBD"};
    modes.push_back(fold);
  }
  const std::string filler[] = {"the ",     "pattern ", "\r\n", "\x82\xC5", "\x81\x5B",
                                "\x83\x66", "\xC3",     "p",    "\x82\xCC"};
  std::mt19937 rng(64);
  int hits = 0;
  for (int round = 0; round < 300; ++round) {
    const Mode& mode = modes[static_cast<std::size_t>(round) % modes.size()];
    std::string data;
    while (data.size() < 700) data += filler[rng() % std::size(filler)];
    for (int plant = 0; plant < 2; ++plant) {
      const std::string& piece = mode.pieces[rng() % mode.pieces.size()];
      const std::size_t border = 64 * (1 + rng() % 9);
      const std::size_t at = border - std::min(border, piece.size()) + rng() % (piece.size() + 2);
      data.replace(std::min(at, data.size() - piece.size()), piece.size(), piece);
    }
    const BufferMatcher matcher(mode.patterns, mode.options);
    for (std::size_t from = 0; from < data.size(); from += 1 + rng() % 97) {
      const auto expected = NaiveFirst(data, from, data.size(), mode.patterns, mode.options);
      const auto actual = matcher.FindFirst(data, from, data.size());
      ASSERT_EQ(expected.has_value(), actual.has_value()) << "round " << round << " from " << from;
      if (!expected) continue;
      ++hits;
      ASSERT_EQ(expected->offset, actual->offset) << "round " << round << " from " << from;
      ASSERT_EQ(expected->matchedLength, actual->matchedLength) << "round " << round;
    }
  }
  EXPECT_GT(hits, 1000);
}
