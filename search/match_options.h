#pragma once
// The matching rules the comparers consult. A plain value: the main window fills
// it from its check boxes, and a running search keeps the copy it got at Start.
#include "search/search_query.h"

namespace trovex::search {

struct MatchOptions {
  // MatchAt compares bytes exactly (otherwise A-Z equals a-z). Only in effect in
  // Text mode: Numbers mode always compares exactly.
  bool caseSensitive = false;
  // MatchFoldedAt accepts only the bytes of the form itself (no half-width or
  // ASCII stand-ins). Follows the case check box alone, whatever the option panel.
  bool foldedCaseSensitive = false;
  // A CR LF (CR 0 in a wide search) before any pattern byte but the first is skipped.
  // Only in effect in Text mode.
  bool skipLineBreaks = false;
  // Width and kana folding: MatchFoldedAt is tried with the full-width forms
  // where MatchAt fails. Only in effect in Text mode.
  bool foldWidthAndKana = false;
  SearchMode mode = SearchMode::Text;
  // Documents and archives are searched through the text inside them (in Text
  // mode only; a byte list always searches the file's own bytes).
  bool lookInside = true;

  friend bool operator==(const MatchOptions&, const MatchOptions&) = default;
};

}  // namespace trovex::search
