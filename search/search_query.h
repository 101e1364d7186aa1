#pragma once
// The parsed search content: the byte patterns the matcher compares with file
// contents, and the flags the result window, snippet and binary viewer consult.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search/text_encoding.h"

namespace trovex::search {

enum class SearchMode { Text, Numbers };

// One character of a text content in one encoding: the byte strings that count as it.
struct CharSlot {
  std::vector<std::string> alternatives;
  friend bool operator==(const CharSlot&, const CharSlot&) = default;
};

// A text content in an encoding other than Shift-JIS (whose form is `pattern` and
// its folded forms), one slot per character.
struct EncodedForm {
  TextEncoding encoding = TextEncoding::Utf8;
  // The text as typed: its bytes, and where each character ends in them.
  std::string bytes;
  std::vector<std::uint32_t> ends;
  // With width and kana folding: every form of each character.
  std::vector<CharSlot> foldedSlots;
  friend bool operator==(const EncodedForm&, const EncodedForm&) = default;
};

// The forms searched in a file once its first read is seen (see file_start.h): in a
// file that starts with a byte order mark, the form of the encoding it declares; in a
// file whose first 4 KiB hold lines of one-byte-based text, every form but UTF-16's.
struct FileStartForms {
  std::vector<EncodedForm> utf8Marked;
  std::vector<EncodedForm> utf16LeMarked;
  std::vector<EncodedForm> utf16BeMarked;
  std::vector<EncodedForm> withoutUtf16;
  bool anyUtf16 = false;  // the forms of a file without a mark include UTF-16's
};

class RegexSet;

struct SearchQuery {
  SearchMode mode = SearchMode::Text;
  // Text only: the content is a regular expression, compiled for each encoding the
  // search looks in (the byte patterns below are then not searched). Shared like
  // encodedForms.
  std::shared_ptr<const RegexSet> regex;
  // With `regex`: the text every match holds (see RequiredLiteral), searched first
  // as a text so that files without it are passed over at the literal search's
  // speed. Absent when the pattern has no such text.
  std::shared_ptr<const SearchQuery> literalPart;

  // Primary pattern. Numbers: the bytes of the list. Text: the bytes of the text,
  // or with folding the half-width katakana form of the (lower-cased) text.
  // Byte strings may hold zero bytes: always use the lengths.
  std::string pattern;
  int patternLength = 0;

  // Text with folding only: full-width forms with kana as hiragana / katakana.
  // formLength is the length of hiraganaForm and is used for both forms.
  std::string hiraganaForm;
  std::string katakanaForm;
  int formLength = 0;

  // Text only: UTF-16LE bytes of pattern, for Word .doc files. Absent in
  // Numbers mode and when the text has no UTF-16 form.
  std::optional<std::string> widePattern;
  int wideLength = 0;

  // Text with folding only: the two forms as UTF-16LE bytes; wideFormLength is
  // the byte length of the wide katakana form.
  std::string wideHiraganaForm;
  std::string wideKatakanaForm;
  int wideFormLength = 0;

  // Text only: every byte of the text as typed is an ASCII letter or digit.
  bool allAlphanumeric = true;
  // What the result window shows as the searched content.
  std::string displayText;

  // Text only: the encodings the text is searched in, and its form in each of them
  // but Shift-JIS (in the order of TextEncoding). An encoding that cannot write
  // one of the text's characters has no form.
  EncodingSet encodings = EncodingSet::Only(TextEncoding::ShiftJis);
  // Shared and never changed: copies of the query (each run has its own) and the
  // patterns of each file share one copy of a long text's forms.
  std::shared_ptr<const std::vector<EncodedForm>> encodedForms;
  // Encodings whose form is the Shift-JIS `pattern` itself (ASCII text in UTF-8 and
  // EUC-JP): searched with it, not among encodedForms.
  EncodingSet sameBytesAsPattern = EncodingSet::None();
  // Shared like encodedForms.
  std::shared_ptr<const FileStartForms> fileStartForms;
  // Text of ASCII letters and digits searched in Shift-JIS alone: its UTF-16LE
  // form, which Word documents are searched for too (their text pieces may be
  // either). Shared like encodedForms.
  std::shared_ptr<const std::vector<EncodedForm>> docWideForms;

  // Folding was active when the query was built.
  bool folded = false;

  // False when the parse stopped at an invalid entry of a byte list: the pattern
  // holds only the bytes before it, and the query must not be searched.
  bool complete = true;
};

}  // namespace trovex::search
