#pragma once
// A regular expression compiled once for each encoding a search looks in. The
// pattern is typed in CP932; it is written into each encoding before compiling, so
// that `.` or `[ア-ン]` are characters of that encoding and a match never starts or
// ends inside one.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/text_encoding.h"

namespace trovex::search {

// The pattern with each literal character outside a bracket expression widened to
// the characters that count as it under width and kana folding ("ｱ" becomes
// "[ｱアあ]") and, with case folded, each ASCII letter to both cases ("n": "[nN]").
// Escapes, groups, classes and quantifiers stay as typed. UTF-16 in and out; each
// alternative is one character or a run of them (a voiced kana in half width is
// two). `libraryFoldsCase`: set when case folding also needs the library's (letters
// in a bracket expression, back-references).
struct PatternPiece {
  std::u16string verbatim;               // copied as it is
  std::vector<std::u16string> variants;  // or: one literal and its variants
};
std::vector<PatternPiece> SplitPattern(std::u16string_view pattern, bool fold, bool caseSensitive,
                                       bool* libraryFoldsCase = nullptr);

// The pattern of `pieces` in `encoding`; nothing when the encoding cannot write one
// of its verbatim characters (variants it cannot write are left out).
std::optional<std::string> WritePattern(const std::vector<PatternPiece>& pieces,
                                        TextEncoding encoding);

// The longest run of literal characters every match of the pattern holds, outside
// groups; empty when the pattern has alternatives outside groups, inline options or
// look-around, or no such run. A file without the run in any encoding holds no match.
std::u16string RequiredLiteral(std::u16string_view pattern);

class CompiledRegex;

// The compiled patterns, in the order of TextEncoding. Shared by the copies of a
// query: a compiled pattern is only read while it searches.
class RegexSet {
 public:
  ~RegexSet();
  const std::vector<std::unique_ptr<CompiledRegex>>& Regexes() const { return regexes_; }
  EncodingSet Encodings() const { return encodings_; }

 private:
  friend std::shared_ptr<const RegexSet> CompileRegexSet(std::string_view, EncodingSet, bool, bool,
                                                         std::string&);
  std::vector<std::unique_ptr<CompiledRegex>> regexes_;
  EncodingSet encodings_ = EncodingSet::None();
};

// Compiles CP932 `pattern` for each encoding of `encodings`. Nothing when the
// library refuses the pattern in the first encoding of the set, or the pattern is
// not CP932: then `error` says what is wrong (the library's own words). An encoding
// that cannot write the pattern's characters, or refuses only its form of them
// (a byte escape that is no character there), is left out.
std::shared_ptr<const RegexSet> CompileRegexSet(std::string_view pattern, EncodingSet encodings,
                                                bool caseSensitive, bool fold, std::string& error);

}  // namespace trovex::search
