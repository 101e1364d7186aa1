#pragma once
// The forms of a typed text in the encodings other than Shift-JIS: each character
// as its bytes in the encoding and, for a search that folds width and kana, every
// byte string that counts as that character.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_query.h"
#include "search/text_encoding.h"

namespace trovex::search {

// The bytes of one UTF-16 character in `encoding` (not Shift-JIS), or nothing when
// the encoding cannot write it.
std::optional<std::string> EncodeChar(std::u16string_view character, TextEncoding encoding);

// Every character that counts as the full-width katakana form `c` under folding:
// itself, its hiragana, its half-width form (one or two characters) and, with case
// folded, the other case of a letter in either width.
std::vector<std::u16string> FoldedVariants(const std::u16string& c, bool caseSensitive);

// The forms of CP932 `text` in every encoding of `encodings` but Shift-JIS, in the
// order of TextEncoding. `folded`: also the folded slots, with full-width letters of
// either case when `caseSensitive` is off. Nothing for a text that is not CP932.
std::vector<EncodedForm> BuildEncodedForms(std::string_view text, EncodingSet encodings,
                                           bool folded, bool caseSensitive);

}  // namespace trovex::search
