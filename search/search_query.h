#pragma once
// The parsed search content: the byte patterns the matcher compares with file
// contents, and the flags the result window, snippet and binary viewer consult.
#include <optional>
#include <string>

namespace trovex::search {

enum class SearchMode { Text, Numbers };

struct SearchQuery {
  SearchMode mode = SearchMode::Text;

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

  // Folding was active when the query was built.
  bool folded = false;

  // False when the parse stopped at an invalid entry of a byte list: the pattern
  // holds only the bytes before it, and the query must not be searched.
  bool complete = true;
};

}  // namespace trovex::search
