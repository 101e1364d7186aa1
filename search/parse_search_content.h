#pragma once
// Turns the search content typed in the main window (or taken from a history
// file) into the SearchQuery. The main window, trovex-find and the tests all
// parse through this one function.
#include <functional>
#include <string>
#include <string_view>

#include "search/search_query.h"

namespace trovex::search {

// The main window's inputs that the parse reads, by control name.
struct ParseInputs {
  std::string Edit2Text;        // name filter: an empty content is accepted when it is set
  bool OptionChkBox = false;    // option panel open
  bool CheckBox1 = false;       // a comma is part of the content
  bool Utf16ChkBox = false;     // search the content's UTF-16LE bytes
  bool BigSmlChkBox = false;    // case sensitive
  bool FullHalfChkBox = true;   // distinguish widths and kana
  std::string conversionSource; // text the conversion dialog turned into the content
};

// Receives the messages a failed parse reports (CP932 text); the window shows
// them in a message box, the console tool on stderr.
using MessageSink = std::function<void(const std::string& message)>;

// Parses `text` into `query`. Returns false when nothing can be searched, after
// reporting why to `report`:
//  - content and name filter both empty: "検索する内容が入力されていません。";
//    `query` is left untouched, the previous query stays in force;
//  - an entry of a byte list is not a byte value: "[entry]\n不正な値が入力されています。";
//    `query` is replaced by an incomplete one (complete == false).
// On true `query` is replaced by the new query.
bool ParseSearchContent(std::string_view text, const ParseInputs& inputs,
                        const MessageSink& report, SearchQuery& query);

}  // namespace trovex::search
