#pragma once
// The snippet a result row shows in its content column: up to 64 bytes of the
// file from the hit offset on, as text or, for a search by numbers, as bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "search/hit.h"
#include "search/search_options.h"
#include "search/search_query.h"

namespace trovex::results {

inline constexpr std::size_t kSnippetBytes = 64;

// How the snippet of a byte-list hit shows its bytes: the result window's
// オプション menu and the option panel's RadioGroup1, whose item index is the value
// (also in the settings).
enum class BinaryDisplay : int { Hex = 0, Chars = 1 };

// The display a stored or chosen index stands for: 1 one-byte characters, any
// other hexadecimal (an index no item shows included).
constexpr BinaryDisplay BinaryDisplayFromIndex(int index) {
  return index == 1 ? BinaryDisplay::Chars : BinaryDisplay::Hex;
}
constexpr int IndexOf(BinaryDisplay display) { return static_cast<int>(display); }

// What the snippet depends on besides the file.
struct SnippetInputs {
  bool commaIsContent = false;   // a comma is part of the content: never a byte list
  char contentFirstChar = '\0';  // first character of the content the result shows
  BinaryDisplay binaryDisplay = BinaryDisplay::Hex;  // how byte-list hits show
  bool searchedUtf16 = false;                        // the content was searched as UTF-16
  bool fromUtf8 = false;                             // the content was converted from UTF-8 text
  bool fromUtf16 = false;                            // the content was converted from UTF-16 text
  bool allAlphanumeric = true;                       // of the current SearchQuery
  // A text searched in several encodings: the query and rules that tell which
  // encoding the hit at a row's offset is in, so that its bytes are decoded in it.
  std::shared_ptr<const search::SearchQuery> query;
  search::MatchOptions matchOptions;
  // A text search looked into documents and archives (see contained_text.h): their
  // offsets count in the text read from them.
  bool lookInside = true;
  // The bytes a hit's scan kept may give its snippet (see FoundSnippet): the inputs
  // are those of the search that found the hits, not of another content matched
  // against them since (a rename, a loaded history).
  bool keptBytesServe = true;

  bool operator==(const SnippetInputs&) const = default;
};

// The inputs of a result found with `options` and `query`.
SnippetInputs SnippetInputsFor(const search::SearchOptions& options,
                               const search::SearchQuery& query, BinaryDisplay binaryDisplay);

// TextSnippet, or BinarySnippet when the content starts with "," and a comma
// is not part of the content. CP932 text; empty on every failure.
std::string MakeSnippet(const std::string& path, std::int64_t offset, const SnippetInputs& inputs);
// The snippet of a hit; empty for a mismatched one. From the bytes its scan kept
// where they serve (see FoundSnippet), else read from the file.
std::string HitSnippet(const search::Hit& hit, const SnippetInputs& inputs);
// The snippet of a hit from the bytes its scan kept, without opening the file;
// nothing when the scan kept none or the snippet comes from more than the file's
// bytes at the hit (RTF, documents and archives).
std::optional<std::string> FoundSnippet(const search::Hit& hit, const SnippetInputs& inputs);

// The file's bytes from the offset up to the first zero byte; decoded from UTF-16LE
// or UTF-8 for Word documents found by a non-alphanumeric text and for converted
// searches, and from the encoding of the hit for a text searched in several
// encodings; ".rtf" files are reduced to plain text first and the offset taken in it,
// documents and archives read as the search read them (a zip entry's name first).
std::string TextSnippet(const std::string& path, std::int64_t offset, const SnippetInputs& inputs);

// The encoding TextSnippet decodes the hit at `offset` in (Shift-JIS where nothing
// else applies); nothing for a search by numbers, whose hits are bytes.
std::optional<search::TextEncoding> HitEncoding(const std::string& path, std::int64_t offset,
                                                const SnippetInputs& inputs);

// The bytes from the offset: Hex as "41,42,0D,0A", Chars as one-byte characters
// with "." for bytes outside 0x20-0x7E; empty for any other value.
std::string BinarySnippet(const std::string& path, std::int64_t offset,
                          BinaryDisplay binaryDisplay);

}  // namespace trovex::results
