#include "search/regex_pattern.h"

#include <oniguruma.h>

#include <algorithm>
#include <mutex>
#include <optional>

#include "platform/text/cp932.h"
#include "platform/text/width_kana.h"
#include "search/encoded_forms.h"
#include "search/regex_engine.h"

namespace trovex::search {
namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigit(char16_t c) {
  return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Characters that mean something outside a bracket expression.
bool IsMeta(char16_t c) {
  return c < 0x80 && std::u16string_view(u"\\^$.|?*+()[]{}").find(c) != std::u16string_view::npos;
}

// The length of a `{n}`, `{n,}`, `{,m}` or `{n,m}` quantifier at `at`, or 0.
std::size_t QuantifierLength(std::u16string_view p, std::size_t at) {
  std::size_t i = at + 1;
  bool digits = false, comma = false;
  for (; i < p.size(); ++i) {
    if (IsDigit(p[i]))
      digits = true;
    else if (p[i] == u',' && !comma)
      comma = true;
    else
      break;
  }
  return i < p.size() && p[i] == u'}' && digits ? i + 1 - at : 0;
}

// The length of the escape at `at` (a backslash): the backslash, its letter and the
// braced, bracketed or digit argument some letters take.
std::size_t EscapeLength(std::u16string_view p, std::size_t at) {
  std::size_t i = at + 1;
  if (i >= p.size()) return 1;
  const char16_t letter = p[i++];
  if (IsHighSurrogate(letter) && i < p.size()) ++i;
  if (i < p.size() && std::u16string_view(u"pPxkguoN").find(letter) != std::u16string_view::npos) {
    const char16_t open = p[i];
    const char16_t close = open == u'{' ? u'}' : open == u'<' ? u'>' : open == u'\'' ? u'\'' : 0;
    if (close != 0) {
      const std::size_t end = p.find(close, i + 1);
      return end == std::u16string_view::npos ? p.size() - at : end + 1 - at;
    }
    if (letter == u'x')
      while (i < p.size() && i < at + 4 && IsHexDigit(p[i])) ++i;
  } else if (letter >= u'0' && letter <= u'7') {
    while (i < p.size() && i < at + 4 && p[i] >= u'0' && p[i] <= u'7') ++i;
  } else if (letter == u'c' && i < p.size()) {
    ++i;
  } else if ((letter == u'C' || letter == u'M') && i + 1 < p.size() && p[i] == u'-') {
    i += 2;
  }
  return i - at;
}

// The length of the bracket expression at `at`, nested ones and escapes included.
std::size_t BracketLength(std::u16string_view p, std::size_t at) {
  std::size_t i = at + 1;
  int depth = 1;
  if (i < p.size() && p[i] == u'^') ++i;
  if (i < p.size() && p[i] == u']') ++i;  // a leading ] is a member
  while (i < p.size() && depth > 0) {
    if (p[i] == u'\\') {
      i += EscapeLength(p, i);
      continue;
    }
    if (p[i] == u'[') {
      ++depth;
      if (i + 1 < p.size() && p[i + 1] == u'^') ++i;
    } else if (p[i] == u']') {
      --depth;
    }
    ++i;
  }
  return i - at;
}

// The length of the "(?..." opening at `at`: options, a group kind or a name.
std::size_t GroupOpeningLength(std::u16string_view p, std::size_t at) {
  std::size_t i = at + 2;
  if (i < p.size() && p[i] == u'#') {
    const std::size_t end = p.find(u')', i);
    return end == std::u16string_view::npos ? p.size() - at : end - at;
  }
  if (i + 1 < p.size() && (p[i] == u'<' || p[i] == u'\'') && p[i + 1] != u'=' && p[i + 1] != u'!') {
    const std::size_t end = p.find(p[i] == u'<' ? u'>' : u'\'', i + 1);
    return end == std::u16string_view::npos ? p.size() - at : end + 1 - at;
  }
  while (i < p.size() && (IsAsciiLetter(p[i]) || p[i] == u'-' || p[i] == u'^')) ++i;
  if (i < p.size() && p[i] == u'<') ++i;  // look-behind
  if (i < p.size() && std::u16string_view(u":=!>~").find(p[i]) != std::u16string_view::npos) ++i;
  return i - at;
}

std::vector<std::u16string> LiteralVariants(const std::u16string& c, bool caseSensitive) {
  const std::u16string full = text::MapWidthKanaUtf16(c, text::WidthKana::FullWidthKatakana);
  std::vector<std::u16string> variants{c};
  for (std::u16string& v : FoldedVariants(full, caseSensitive))
    if (std::find(variants.begin(), variants.end(), v) == variants.end())
      variants.push_back(std::move(v));
  return variants;
}

std::optional<std::string> EncodeIn(std::u16string_view units, TextEncoding encoding) {
  if (encoding != TextEncoding::ShiftJis) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
      const std::size_t n = IsHighSurrogate(units[i]) && i + 1 < units.size() ? 2 : 1;
      const auto bytes = EncodeChar(units.substr(i, n), encoding);
      if (!bytes) return std::nullopt;
      out += *bytes;
      i += n - 1;
    }
    return out;
  }
  std::string out;
  for (char16_t unit : units) {
    char bytes[2];
    const int n = text::EncodeCp932Unit(unit, bytes);
    if (n == 0) return std::nullopt;
    out.append(bytes, static_cast<std::size_t>(n));
  }
  return out;
}

}  // namespace

std::vector<PatternPiece> SplitPattern(std::u16string_view p, bool fold, bool caseSensitive,
                                       bool* libraryFoldsCase) {
  std::vector<PatternPiece> pieces;
  // Letters in a bracket expression and back-references need the library's own
  // case folding; letters elsewhere become classes of both cases, which keeps the
  // literal runs the library searches for fast.
  bool libraryCase = false;
  const auto verbatim = [&](std::u16string_view text) {
    if (pieces.empty() || !pieces.back().variants.empty()) pieces.emplace_back();
    pieces.back().verbatim.append(text);
  };
  for (std::size_t i = 0; i < p.size();) {
    std::size_t n = 1;
    const char16_t c = p[i];
    if (c == u'\\')
      n = EscapeLength(p, i);
    else if (c == u'[')
      n = BracketLength(p, i);
    else if (c == u'(' && i + 1 < p.size() && p[i + 1] == u'?')
      n = GroupOpeningLength(p, i);
    else if (c == u'{' && QuantifierLength(p, i) > 0)
      n = QuantifierLength(p, i);
    else if (IsHighSurrogate(c) && i + 1 < p.size())
      n = 2;
    const std::u16string_view token = p.substr(i, n);
    i += n;
    if (!caseSensitive &&
        ((c == u'[' && std::any_of(token.begin(), token.end(), IsAsciiLetter)) ||
         (c == u'\\' && n > 1 && (IsDigit(token[1]) || token[1] == u'k' || token[1] == u'g'))))
      libraryCase = true;
    const bool widen = fold || (!caseSensitive && IsAsciiLetter(c));
    if (!widen || c == u'\\' || c == u'[' || (c == u'(' && n > 1) || (c == u'{' && n > 1) ||
        (IsMeta(c) && c != u'{')) {
      verbatim(token);
      continue;
    }
    std::vector<std::u16string> variants =
        fold ? LiteralVariants(std::u16string(token), caseSensitive)
             : std::vector<std::u16string>{std::u16string(token),
                                           std::u16string(1, static_cast<char16_t>(c ^ 0x20))};
    if (variants.size() == 1) {
      verbatim(token);
      continue;
    }
    pieces.push_back(PatternPiece{{}, std::move(variants)});
  }
  if (libraryFoldsCase) *libraryFoldsCase = libraryCase;
  return pieces;
}

std::u16string RequiredLiteral(std::u16string_view p) {
  std::u16string best, run;
  const auto endRun = [&] {
    if (run.size() > best.size()) best = run;
    run.clear();
  };
  int depth = 0;
  for (std::size_t i = 0; i < p.size();) {
    const char16_t c = p[i];
    std::size_t n = 1;
    std::optional<char16_t> literal;
    if (c == u'\\') {
      n = EscapeLength(p, i);
      if (n == 2 && IsMeta(p[i + 1])) literal = p[i + 1];
    } else if (c == u'[') {
      n = BracketLength(p, i);
    } else if (c == u'(' && i + 1 < p.size() && p[i + 1] == u'?') {
      if (i + 2 < p.size() && p[i + 2] != u':') return {};  // options, look-around, names
      n = GroupOpeningLength(p, i);
      ++depth;
    } else if (IsHighSurrogate(c) && i + 1 < p.size()) {
      n = 2;  // not in a run: the run is searched as CP932 text
    } else if (c == u'|') {
      if (depth == 0) return {};  // alternatives of the whole: no run is required
    } else if (c == u'(') {
      ++depth;
    } else if (c == u')') {
      --depth;
    } else if (c == u'?' || c == u'*' || (c == u'{' && QuantifierLength(p, i) > 0)) {
      const bool optional = c != u'{' || p[i + 1] == u'0' || p[i + 1] == u',';
      if (c == u'{') n = QuantifierLength(p, i);
      if (optional && !run.empty()) run.pop_back();  // the quantified character
      endRun();
    } else if (c == u'+') {
      endRun();
    } else if (!IsMeta(c)) {
      literal = c;
    }
    const bool quantifier =
        c == u'?' || c == u'*' || c == u'+' || (c == u'{' && QuantifierLength(p, i) > 0);
    i += n;
    if (literal && depth == 0 && !IsHighSurrogate(*literal))
      run += *literal;  // a quantifier after it decides whether it stays
    else if (!quantifier)
      endRun();
  }
  endRun();
  return best;
}

std::optional<std::string> WritePattern(const std::vector<PatternPiece>& pieces,
                                        TextEncoding encoding) {
  std::string out;
  for (const PatternPiece& piece : pieces) {
    if (piece.variants.empty()) {
      const auto bytes = EncodeIn(piece.verbatim, encoding);
      if (!bytes) return std::nullopt;
      out += *bytes;
      continue;
    }
    // Single characters make a class, runs (a voiced kana in half width) alternatives.
    const bool asClass =
        std::all_of(piece.variants.begin(), piece.variants.end(), [](const std::u16string& v) {
          return v.size() == 1 || (v.size() == 2 && IsHighSurrogate(v[0]));
        });
    std::vector<std::string> written;
    for (const std::u16string& v : piece.variants) {
      std::u16string escaped;
      for (char16_t c : v) {
        if (asClass ? std::u16string_view(u"\\[]^-&").find(c) != std::u16string_view::npos
                    : IsMeta(c))
          escaped += u'\\';
        escaped += c;
      }
      auto bytes = EncodeIn(escaped, encoding);
      if (bytes && std::find(written.begin(), written.end(), *bytes) == written.end())
        written.push_back(std::move(*bytes));
    }
    // The typed character comes first: without it the encoding has no form of the text.
    if (written.empty()) return std::nullopt;
    if (written.size() == 1) {
      out += written[0];
      continue;
    }
    const auto ascii = [&](std::string_view text) {
      return *EncodeIn(std::u16string(text.begin(), text.end()), encoding);
    };
    out += ascii(asClass ? "[" : "(?:");
    for (std::size_t i = 0; i < written.size(); ++i) {
      if (i > 0 && !asClass) out += ascii("|");
      out += written[i];
    }
    out += ascii(asClass ? "]" : ")");
  }
  return out;
}

RegexSet::~RegexSet() = default;

std::shared_ptr<const RegexSet> CompileRegexSet(std::string_view pattern, EncodingSet encodings,
                                                bool caseSensitive, bool fold, std::string& error) {
  const auto units = text::DecodeCp932(pattern);
  if (!units) {
    error = "invalid character in pattern";
    return nullptr;
  }
  bool libraryCase = false;
  const std::vector<PatternPiece> pieces = SplitPattern(*units, fold, caseSensitive, &libraryCase);
  auto set = std::make_shared<RegexSet>();
  bool first = true;
  for (TextEncoding encoding : kAllTextEncodings) {
    if (!encodings.Has(encoding)) continue;
    const bool reportErrors = first;
    first = false;
    const auto written = WritePattern(pieces, encoding);
    if (!written) continue;
    std::string message;
    auto compiled = CompiledRegex::Compile(*written, encoding, !libraryCase, message);
    if (!compiled) {
      if (reportErrors) {
        error = message;
        return nullptr;
      }
      continue;
    }
    set->regexes_.push_back(std::move(compiled));
    set->encodings_.Add(encoding);
  }
  if (set->regexes_.empty()) {
    if (error.empty()) error = "no encoding can write the pattern";
    return nullptr;
  }
  return set;
}

}  // namespace trovex::search
