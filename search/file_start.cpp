#include "search/file_start.h"

#include <algorithm>
#include <cstring>

#include "search/encoded_forms.h"

namespace trovex::search {
namespace {

// Files of text in lines show both within their first few KiB; the test stays off
// the whole first read, which the matcher alone should pass over.
constexpr std::size_t kLinesWindow = 4096;

// Line feeds at an even and at an odd offset, and no zero byte. A 0x0A byte of a
// UTF-16 character (上 U+4E0A, 《 U+300A) lies at the one parity of its byte order,
// and a UTF-16 line break has a zero byte.
bool OneByteBasedLines(std::string_view bytes) {
  bytes = bytes.substr(0, kLinesWindow);
  if (std::memchr(bytes.data(), 0, bytes.size()) != nullptr) return false;
  bool parity[2] = {false, false};
  for (std::size_t at = bytes.find('\n'); at != std::string_view::npos && !(parity[0] && parity[1]);
       at = bytes.find('\n', at + 1))
    parity[at % 2] = true;
  return parity[0] && parity[1];
}

}  // namespace

std::optional<TextEncoding> ByteOrderMarkOf(std::string_view firstBytes) {
  if (firstBytes.starts_with("\xEF\xBB\xBF")) return TextEncoding::Utf8;
  if (firstBytes.starts_with("\xFF\xFE")) return TextEncoding::Utf16Le;
  if (firstBytes.starts_with("\xFE\xFF")) return TextEncoding::Utf16Be;
  return std::nullopt;
}

FileStartForms BuildFileStartForms(std::string_view text, EncodingSet encodings, bool folded,
                                   bool caseSensitive, const std::vector<EncodedForm>& forms) {
  FileStartForms narrowed;
  const auto markedForm = [&](TextEncoding encoding) {
    if (!encodings.Has(encoding)) return std::vector<EncodedForm>{};
    return BuildEncodedForms(text, EncodingSet::Only(encoding), folded, caseSensitive);
  };
  narrowed.utf8Marked = markedForm(TextEncoding::Utf8);
  narrowed.utf16LeMarked = markedForm(TextEncoding::Utf16Le);
  narrowed.utf16BeMarked = markedForm(TextEncoding::Utf16Be);
  for (const EncodedForm& form : forms) {
    const bool utf16 =
        form.encoding == TextEncoding::Utf16Le || form.encoding == TextEncoding::Utf16Be;
    narrowed.anyUtf16 = narrowed.anyUtf16 || utf16;
    if (!utf16) narrowed.withoutUtf16.push_back(form);
  }
  return narrowed;
}

std::optional<MatchPatterns> PatternsForMarkedFile(const MatchPatterns& patterns,
                                                   std::string_view firstBytes) {
  const auto& forms = patterns.fileStart;
  if (!forms) return std::nullopt;
  const auto mark = ByteOrderMarkOf(firstBytes);
  if (!mark) return std::nullopt;
  const std::vector<EncodedForm>* declared = &forms->utf8Marked;
  if (*mark == TextEncoding::Utf16Le) declared = &forms->utf16LeMarked;
  if (*mark == TextEncoding::Utf16Be) declared = &forms->utf16BeMarked;
  MatchPatterns marked;
  marked.shiftJis = false;
  marked.folded = patterns.folded;
  marked.onBoundary = true;
  // Shares the query's forms, so that every file with this mark has equal patterns
  // and reuses one prepared matcher.
  marked.others = std::shared_ptr<const std::vector<EncodedForm>>(forms, declared);
  return marked;
}

std::optional<MatchPatterns> PatternsForFileStart(const MatchPatterns& patterns,
                                                  std::string_view firstRead) {
  if (auto marked = PatternsForMarkedFile(patterns, firstRead)) return marked;
  const auto& forms = patterns.fileStart;
  // A search in UTF-16 alone is not narrowed to nothing: the user asked for it.
  if (!forms || !forms->anyUtf16 || (!patterns.shiftJis && forms->withoutUtf16.empty()) ||
      !OneByteBasedLines(firstRead))
    return std::nullopt;
  MatchPatterns narrowed = patterns;
  narrowed.fileStart = nullptr;
  narrowed.others = std::shared_ptr<const std::vector<EncodedForm>>(forms, &forms->withoutUtf16);
  return narrowed;
}

bool SearchesAnything(const MatchPatterns& patterns) {
  return patterns.shiftJis || !patterns.Others().empty();
}

}  // namespace trovex::search
