#pragma once
// The name fragments of the file name condition, from the text of the name field.
#include <string>
#include <string_view>
#include <vector>

#include "search/search_conditions.h"

namespace trovex::search {

// Splits `text` at every "/", after trimming
// bytes up to 0x20 from both ends of the whole text (terms are not trimmed one by
// one: "a/ b" gives "a" and " b"). Without case sensitivity the text is lower-cased
// as file names are. An empty text gives no terms. Text and terms are in the
// platform's file name encoding (CP932 on Windows, UTF-8 on POSIX).
std::vector<std::string> BuildNameTerms(std::string_view text, bool caseSensitive);

// The name condition: true without terms; otherwise whether some non-empty term
// occurs in the name (lower-cased unless nameCaseSensitive), inverted by excludeNames.
bool NameMatches(const SearchConditions& conditions, std::string_view fileName);

}  // namespace trovex::search
