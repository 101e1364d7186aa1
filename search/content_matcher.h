#pragma once
// The two byte-level comparers: does a pattern match the bytes of a buffer at one
// start index? Stateless: each call returns the number of buffer bytes the match
// covers (matchedLength), or nothing. Bytes past the end of the buffer never match.
#include <cstddef>
#include <optional>
#include <string_view>

#include "search/match_options.h"

namespace trovex::search {

// Exact or ASCII case-insensitive comparison, with optional line-break skipping.
// `wideDoc`: a skipped line break is CR 0 (UTF-16LE) instead of CR LF.
std::optional<std::size_t> MatchAt(std::string_view buffer, std::size_t start,
                                   std::string_view pattern, bool wideDoc,
                                   const MatchOptions& options);

// A full-width form (hiragana or katakana) compared with file bytes that may hold
// the half-width or ASCII forms of its characters.
std::optional<std::size_t> MatchFoldedAt(std::string_view buffer, std::size_t start,
                                         std::string_view form, bool wideDoc,
                                         const MatchOptions& options);

}  // namespace trovex::search
