#include "results/hit_snippet.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/fs/random_access_file.h"
#include "platform/fs/read_at.h"
#include "platform/text/euc_jp.h"
#include "results/contained_snippet.h"
#include "results/unicode_to_shift_jis.h"
#include "search/buffer_matcher.h"
#include "search/file_extension.h"
#include "search/file_scan.h"
#include "search/regex_file_scan.h"
#include "search/contained_scan.h"
#include "search/file_start.h"
#include "search/rtf_to_text.h"

namespace trovex::results {
namespace {

std::string_view UpToZero(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

std::string RtfSnippet(const std::string& path, std::uint64_t offset) {
  const std::optional<std::string> file = fs::ReadAllBytes(path);
  if (!file) return std::string();
  const std::string reduced = search::RtfToText(UpToZero(*file));
  if (offset >= reduced.size()) return std::string();
  return std::string(UpToZero(std::string_view(reduced).substr(offset, kSnippetBytes)));
}

std::string HexBytes(std::string_view bytes) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  std::string text;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (!text.empty()) text += ',';
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0x0F];
  }
  return text;
}

std::string OneByteCharacters(std::string_view bytes) {
  std::string text(bytes);
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E) c = '.';
  }
  return text;
}

// The bytes of a byte-list hit as its snippet shows them.
std::string BinaryText(std::string_view bytes, BinaryDisplay binaryDisplay) {
  if (binaryDisplay == BinaryDisplay::Hex) return HexBytes(bytes);
  if (binaryDisplay == BinaryDisplay::Chars) return OneByteCharacters(bytes);
  return std::string();
}

// At least the bytes a match of `patterns` can cover: every alternative of every
// character, with room for a line break between characters.
std::size_t SpanBound(const search::MatchPatterns& patterns) {
  std::size_t span =
      2 * (patterns.pattern.size() + patterns.hiraganaForm.size() + patterns.katakanaForm.size());
  for (const auto& form : patterns.Others()) {
    span += form.bytes.size() + 4 * form.ends.size();
    for (const auto& slot : form.foldedSlots)
      for (const auto& alternative : slot.alternatives) span += alternative.size() + 4;
  }
  return span;
}

// The hit at `position` read with the bytes before it that the character boundaries
// depend on: the snippet's bytes, and the encoding of the first form that matches
// there as the search tried them (Shift-JIS when none does: the file changed since).
struct HitBytes {
  std::string bytes;
  search::TextEncoding encoding = search::TextEncoding::ShiftJis;
};

std::optional<HitBytes> ReadHit(const std::string& path, std::uint64_t position,
                                const SnippetInputs& inputs) {
  // One open for both reads: a row's snippet is mostly the cost of opening its file.
  fs::RandomAccessFile file;
  if (!file.Open(path)) return std::nullopt;
  search::MatchPatterns patterns = search::PatternsForFile(path, *inputs.query);
  // A file with a byte order mark was searched in its declared encoding alone.
  if (patterns.fileStart) {
    if (const auto start = fs::ReadAt(file, 0, 3))
      if (auto marked = search::PatternsForMarkedFile(patterns, *start))
        patterns = std::move(*marked);
  }
  const std::size_t before = static_cast<std::size_t>(
      std::min<std::uint64_t>(position, search::BufferMatcher::kLookBackBytes));
  const std::optional<std::string> window = fs::ReadAt(
      file, position - before, before + std::max(kSnippetBytes, SpanBound(patterns) + 8));
  if (!window) return std::nullopt;
  HitBytes hit;
  hit.bytes = window->substr(std::min(before, window->size()), kSnippetBytes);
  if (inputs.query->regex) {
    // A pattern's match: the encoding whose match starts there, told from its line.
    hit.encoding = search::RegexEncodingInFile(*inputs.query->regex, path, position)
                       .value_or(search::TextEncoding::ShiftJis);
    return hit;
  }
  if (const auto match = search::BufferMatcher::MatchOnce(patterns, inputs.matchOptions, *window,
                                                          before, position - before))
    hit.encoding = match->encoding;
  return hit;
}

// The encoding a hit is decoded in whatever its bytes: Word documents found by a
// text that is not all alphanumeric, and converted searches.
std::optional<search::TextEncoding> FixedEncoding(const std::string& path,
                                                  const SnippetInputs& inputs) {
  if (inputs.fromUtf8) return search::TextEncoding::Utf8;
  if ((search::HasExtension(path, ".doc") && !inputs.allAlphanumeric) || inputs.searchedUtf16 ||
      inputs.fromUtf16)
    return search::TextEncoding::Utf16Le;
  return std::nullopt;
}

std::string BigEndianToShiftJis(std::string bytes) {
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
  return WideBytesToShiftJis(bytes);
}

std::string DecodeHit(std::string_view bytes, search::TextEncoding encoding) {
  switch (encoding) {
    case search::TextEncoding::ShiftJis:
      return std::string(UpToZero(bytes));
    case search::TextEncoding::Utf8:
      return Utf8ToShiftJis(bytes);
    case search::TextEncoding::Utf16Le:
      return WideBytesToShiftJis(bytes);
    case search::TextEncoding::Utf16Be:
      return BigEndianToShiftJis(std::string(bytes));
    case search::TextEncoding::EucJp:
      return text::EucJpToCp932Lenient(bytes);
  }
  return std::string();
}

// A hit inside a document or archive: a document's text is UTF-8; an entry's
// bytes are decoded in the encoding of the form that matches there.
std::optional<std::string> ContainedSnippet(const std::string& path, std::uint64_t position,
                                            const SnippetInputs& inputs) {
  if (!inputs.lookInside) return std::nullopt;
  const auto hit = FindContainedHit(path, position, kSnippetBytes + 64);
  if (!hit) return std::nullopt;
  const std::string_view bytes = std::string_view(hit->bytes).substr(0, kSnippetBytes);
  search::TextEncoding encoding = search::TextEncoding::ShiftJis;
  if (hit->part.extractedText) {
    encoding = search::TextEncoding::Utf8;
  } else if (inputs.query) {
    const std::string window = hit->before + hit->bytes;
    if (const auto match = search::BufferMatcher::MatchOnce(
            search::PatternsForPart(hit->part, *inputs.query), inputs.matchOptions, window,
            hit->before.size(), position - hit->before.size()))
      encoding = match->encoding;
  }
  return ContainedPrefix(hit->part) + DecodeHit(bytes, encoding);
}

}  // namespace

SnippetInputs SnippetInputsFor(const search::SearchOptions& options,
                               const search::SearchQuery& query, BinaryDisplay binaryDisplay) {
  SnippetInputs inputs;
  inputs.commaIsContent = options.commaIsContent;
  inputs.contentFirstChar = query.displayText.empty() ? '\0' : query.displayText.front();
  inputs.binaryDisplay = binaryDisplay;
  inputs.searchedUtf16 = options.searchUtf16;
  inputs.fromUtf8 = options.fromUtf8;
  inputs.fromUtf16 = options.fromUtf16;
  inputs.allAlphanumeric = query.allAlphanumeric;
  // A pattern searches the files' own bytes, documents and archives too.
  inputs.lookInside =
      search::LooksInside(options) && query.mode == search::SearchMode::Text && !query.regex;
  if (query.mode == search::SearchMode::Text && !query.encodings.ShiftJisOnly()) {
    inputs.query = std::make_shared<const search::SearchQuery>(query);
    inputs.matchOptions = search::MatchOptionsFor(options, query.mode);
  }
  return inputs;
}

std::string MakeSnippet(const std::string& path, std::int64_t offset, const SnippetInputs& inputs) {
  if (!inputs.commaIsContent && inputs.contentFirstChar == ',')
    return BinarySnippet(path, offset, inputs.binaryDisplay);
  return TextSnippet(path, offset, inputs);
}

std::string HitSnippet(const search::Hit& hit, const SnippetInputs& inputs) {
  if (hit.mismatched) return std::string();
  if (auto found = FoundSnippet(hit, inputs)) return std::move(*found);
  return MakeSnippet(hit.path, static_cast<std::int64_t>(hit.offset), inputs);
}

std::optional<std::string> FoundSnippet(const search::Hit& hit, const SnippetInputs& inputs) {
  static_assert(search::kFoundBytes >= kSnippetBytes);
  if (!inputs.keptBytesServe || hit.mismatched || !hit.found || hit.found->offset != hit.offset)
    return std::nullopt;
  const std::string_view bytes = std::string_view(hit.found->bytes).substr(0, kSnippetBytes);
  if (!inputs.commaIsContent && inputs.contentFirstChar == ',')
    return BinaryText(bytes, inputs.binaryDisplay);
  // These snippets are read from the text the search reduced the file to.
  if (search::HasExtension(hit.path, ".rtf") ||
      (inputs.lookInside && search::ContainerKindOf(hit.path) != search::ContainerKind::None))
    return std::nullopt;
  // The encoding the snippet is decoded in, as TextSnippet tells it from the file.
  search::TextEncoding encoding = search::TextEncoding::ShiftJis;
  if (const auto fixed = FixedEncoding(hit.path, inputs))
    encoding = *fixed;
  else if (inputs.query)
    encoding = hit.found->encoding;
  return DecodeHit(bytes, encoding);
}

std::string TextSnippet(const std::string& path, std::int64_t offset, const SnippetInputs& inputs) {
  if (offset < 0) return std::string();
  const auto position = static_cast<std::uint64_t>(offset);
  if (search::HasExtension(path, ".rtf")) return RtfSnippet(path, position);
  if (auto contained = ContainedSnippet(path, position, inputs)) return std::move(*contained);

  const bool decoded = FixedEncoding(path, inputs).has_value();
  if (!decoded && inputs.query) {
    const std::optional<HitBytes> hit = ReadHit(path, position, inputs);
    if (!hit) return std::string();
    return DecodeHit(hit->bytes, hit->encoding);
  }
  const std::optional<std::string> bytes = fs::ReadAt(path, position, kSnippetBytes);
  if (!bytes) return std::string();
  if (!decoded) return std::string(UpToZero(*bytes));
  if (inputs.fromUtf8) return Utf8ToShiftJis(*bytes);
  return WideBytesToShiftJis(*bytes);
}

std::optional<search::TextEncoding> HitEncoding(const std::string& path, std::int64_t offset,
                                                const SnippetInputs& inputs) {
  if (!inputs.commaIsContent && inputs.contentFirstChar == ',') return std::nullopt;
  if (const auto fixed = FixedEncoding(path, inputs)) return fixed;
  if (inputs.query && offset >= 0 && !search::HasExtension(path, ".rtf")) {
    if (const auto hit = ReadHit(path, static_cast<std::uint64_t>(offset), inputs))
      return hit->encoding;
  }
  return search::TextEncoding::ShiftJis;
}

std::string BinarySnippet(const std::string& path, std::int64_t offset,
                          BinaryDisplay binaryDisplay) {
  if (offset < 0) return std::string();
  const std::optional<std::string> bytes =
      fs::ReadAt(path, static_cast<std::uint64_t>(offset), kSnippetBytes);
  if (!bytes) return std::string();
  return BinaryText(*bytes, binaryDisplay);
}

}  // namespace trovex::results
