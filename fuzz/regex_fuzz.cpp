// Regular expressions from the input over text from the input, with the library's
// limits on: no fault, no hang, a hit inside the text and within one line, and the
// same hit however the text arrives in pieces.
// Input: a flag byte (case, folding, encodings), the pattern's length, the pattern
// (CP932), then the text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "search/regex_lines.h"
#include "search/regex_pattern.h"

using namespace trovex::search;

namespace {

struct Run {
  std::optional<RegexHit> hit;
  bool refused = false;
};

Run Scan(const RegexSet& set, std::string_view text, bool smallPieces) {
  RegexLineScanner scanner(set, set.Encodings());
  Run run;
  std::size_t at = 0;
  while (at < text.size() && !run.hit && !scanner.Done()) {
    std::size_t length = text.size() - at;
    if (smallPieces)
      length = std::min<std::size_t>(length, 1 + static_cast<unsigned char>(text[at]) % 13);
    run.hit = scanner.Feed(text.substr(at, length));
    at += length;
  }
  if (!run.hit && !scanner.Done()) run.hit = scanner.Finish();
  run.refused = scanner.Refused();
  return run;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  const unsigned flags = bytes[0];
  const std::size_t patternLength = std::min<std::size_t>(bytes[1] % 48, size - 2);
  const std::string_view pattern = data.substr(2, patternLength);
  const std::string_view text = data.substr(2 + patternLength);
  EncodingSet encodings = EncodingSet::None();
  for (int e = 0; e < kTextEncodingCount; ++e)
    if (flags & (4u << e)) encodings.Add(kAllTextEncodings[e]);
  if (encodings.Empty()) encodings = EncodingSet::All();
  std::string error;
  const auto set = CompileRegexSet(pattern, encodings, flags & 1, flags & 2, error);
  if (!set) return 0;

  const Run whole = Scan(*set, text, false);
  const Run pieces = Scan(*set, text, true);
  if (whole.hit) {
    const RegexHit& hit = *whole.hit;
    const bool wide =
        hit.encoding == TextEncoding::Utf16Le || hit.encoding == TextEncoding::Utf16Be;
    if (hit.offset + hit.length > text.size() ||
        (!wide && text.substr(hit.offset, hit.length).find('\n') != std::string_view::npos)) {
      std::fprintf(stderr, "a hit outside the text or across a line\n");
      std::abort();
    }
  }
  // The limits count per search call, whose span depends on the pieces: a refusal
  // on either side says nothing about the other.
  if (whole.refused || pieces.refused) return 0;
  const auto same = [](const std::optional<RegexHit>& a, const std::optional<RegexHit>& b) {
    if (!a || !b) return !a && !b;
    return a->offset == b->offset && a->length == b->length && a->encoding == b->encoding;
  };
  if (!same(whole.hit, pieces.hit)) {
    std::fprintf(stderr, "the hit depends on how the text arrives\n");
    std::abort();
  }
  return 0;
}
