#pragma once
// Turns the search content typed in the main window (or taken from a history
// file) into the SearchQuery. The main window, trovex-find and the tests all
// parse through this one function.
#include <functional>
#include <string>
#include <string_view>

#include "search/search_options.h"
#include "search/search_query.h"

namespace trovex::search {

// The message for a content that leaves nothing to search.
inline constexpr const char* kEmptyContentMessage = "検索する内容が入力されていません。";

// Receives the messages a failed parse reports (CP932 text); the window shows
// them in a message box, the console tool on stderr.
using MessageSink = std::function<void(const std::string& message)>;

// The message for a regular expression the library refuses: the pattern, what is
// wrong in the library's words.
inline std::string RegexErrorMessage(std::string_view pattern, std::string_view error) {
  std::string message = "[";
  message.append(pattern);
  message += "]\n正規表現に誤りがあります。\n";
  message.append(error);
  return message;
}

// Parses `text` into `query` under the content rules of `options` (its own
// `content` is not read: a history file or the binary viewer passes another text).
// An empty text is accepted when `options.nameFilter` is set. Returns false when
// nothing can be searched, after reporting why to `report`:
//  - content and name filter both empty: "検索する内容が入力されていません。";
//    `query` is left untouched, the previous query stays in force;
//  - an entry of a byte list is not a byte value: "[entry]\n不正な値が入力されています。";
//    `query` is replaced by an incomplete one (complete == false);
//  - a regular expression the library refuses (RegexErrorMessage); `query` is left
//    untouched.
// On true `query` is replaced by the new query.
bool ParseSearchContent(std::string_view text, const SearchOptions& options,
                        const MessageSink& report, SearchQuery& query);

}  // namespace trovex::search
