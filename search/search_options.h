#pragma once
// What a front end asks of one search, named by what each value means. The main
// window fills it from its controls and trovex-find from its command line, each in
// one function; the core derives the parse, the matching rules and the selection
// conditions from it, so no front end copies those field by field.
#include <string>

#include "search/match_options.h"
#include "search/search_conditions.h"
#include "search/text_encoding.h"

namespace trovex::search {

struct SearchOptions {
  std::string content;  // the search content as typed
  // The option panel is open: its name, size and date conditions apply, and so do
  // case, width/kana and comma rules in the content.
  bool optionsOpen = false;
  bool caseSensitive = false;
  bool distinguishWidthAndKana = true;  // false: full/half width and katakana/hiragana fold
  bool commaIsContent = false;          // a comma is part of the text (no byte list)
  bool searchUtf16 = false;             // search the content's UTF-16LE bytes
  bool skipLineBreaks = false;          // a CR LF inside a hit is skipped
  // The content is a regular expression (a comma is then part of it). A panel
  // option; counts with the panel closed too when regexAlways (trovex-find).
  bool regex = false;
  bool regexAlways = false;
  // The encodings a text content is searched in. Like the other panel options it
  // counts only while the panel is open: a closed panel searches every encoding
  // (see TextEncodingsFor).
  EncodingSet encodings = EncodingSet::All();
  // The set counts with the panel closed too (trovex-find's --encoding, which has
  // no panel to open).
  bool encodingsAlways = false;
  // Documents and archives are searched through their text (see contained_text.h).
  // A panel option: with the panel closed they always are, unless it counts alone.
  bool lookInside = true;
  bool lookInsideAlways = false;  // trovex-find's --raw, which has no panel to open
  bool includeHidden = false;     // also walk hidden files and folders
  bool includeSystem = false;     // also walk system files and folders

  std::string nameFilter;     // name fragments, separated by "/" (see BuildNameTerms)
  bool excludeNames = false;  // the fragments name files to leave out

  bool sizeFilterOn = false;
  int sizeNumber = 10;  // 1 to 1024
  SizeUnit sizeUnit = SizeUnit::KB;
  bool sizeAtLeast = false;  // false: at most

  bool dateFilterOn = false;
  std::string yearText;  // not empty: the calendar year instead of the range
  double dateFrom = kDatePickerInitialValue;
  double dateTo = kDatePickerInitialValue;
  bool excludeDates = false;

  // The conversion dialog turned this text into the content (a byte list).
  std::string conversionSource;
  bool fromUtf8 = false;   // ... from its UTF-8 bytes
  bool fromUtf16 = false;  // ... from its UTF-16 bytes
};

// The selection conditions taken at Start.
SearchConditions ConditionsFor(const SearchOptions& options);

// The encodings a text content is searched in: every one unless the panel is open
// or the set is meant to count alone.
inline EncodingSet TextEncodingsFor(const SearchOptions& options) {
  return options.optionsOpen || options.encodingsAlways ? options.encodings : EncodingSet::All();
}

// The content is a regular expression.
inline bool SearchesByRegex(const SearchOptions& options) {
  return options.regex && (options.optionsOpen || options.regexAlways);
}

// Documents and archives are read inside: always unless the panel is open or the
// choice is meant to count alone.
inline bool LooksInside(const SearchOptions& options) {
  return options.optionsOpen || options.lookInsideAlways ? options.lookInside : true;
}

// The matching rules of a query in `mode`.
MatchOptions MatchOptionsFor(const SearchOptions& options, SearchMode mode);

}  // namespace trovex::search
