#pragma once
// What a file's first bytes say about the encodings its text can be in. A typed text
// is searched in every encoding at once, so a short word's bytes in one encoding can
// turn up inside text of another (値 in UTF-16LE is the ASCII "$P"). Two facts of the
// file itself, not a guess at its encoding, narrow the forms searched in it:
// - a byte order mark declares the encoding: only that encoding's form is searched;
// - a line break in UTF-16 is 0A 00 or 00 0A, text in the one-byte-based encodings has
//   no zero byte, and a 0x0A byte inside UTF-16 characters keeps to one parity: a file
//   whose first 4 KiB hold line feeds at even and odd offsets and no zero byte is text
//   in lines of a one-byte-based encoding, and is not searched in UTF-16 (unless
//   UTF-16 is all the search looks for).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/buffer_matcher.h"
#include "search/search_query.h"
#include "search/text_encoding.h"

namespace trovex::search {

// The encoding declared by a byte order mark at the start of `firstBytes`, if any.
std::optional<TextEncoding> ByteOrderMarkOf(std::string_view firstBytes);

// The narrowed forms of a query, from its full list of forms in `encodings`.
FileStartForms BuildFileStartForms(std::string_view text, EncodingSet encodings, bool folded,
                                   bool caseSensitive, const std::vector<EncodedForm>& forms);

// The patterns for a file starting with a byte order mark: only the declared form.
// Nothing when `patterns` are not narrowed by the file start or there is no mark.
std::optional<MatchPatterns> PatternsForMarkedFile(const MatchPatterns& patterns,
                                                   std::string_view firstBytes);

// The patterns for a file, given its first read (`firstRead`: the whole file when it
// is shorter): the marked file's form, or without UTF-16 for lines of one-byte-based
// text; nothing when `patterns` stay as they are (then neither copied nor looked up).
std::optional<MatchPatterns> PatternsForFileStart(const MatchPatterns& patterns,
                                                  std::string_view firstRead);

// Whether the patterns can match anything at all.
bool SearchesAnything(const MatchPatterns& patterns);

}  // namespace trovex::search
