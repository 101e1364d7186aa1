// The content parser and the matcher: any content under any options either is
// refused or gives a query whose fast matcher finds the same first hit, at the
// same length and in the same encoding, as trying the comparers of every encoding's
// form at every position in order.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "search/buffer_matcher.h"
#include "search/file_scan.h"
#include "native/naive_matcher.h"
#include "search/parse_search_content.h"

using namespace trovex::search;

namespace {

void Compare(const BufferMatcher& matcher, std::string_view data, std::size_t from,
             std::size_t to) {
  const auto fast = matcher.FindFirst(data, from, to);
  const auto naive =
      NaiveFirstInEveryEncoding(data, from, to, matcher.Patterns(), matcher.Options());
  const bool same =
      fast.has_value() == naive.has_value() &&
      (!fast || (fast->offset == naive->offset && fast->matchedLength == naive->matchedLength &&
                 fast->encoding == naive->encoding));
  if (same) return;
  std::fprintf(stderr,
               "matcher %s at %zu (%zu bytes), reference %s at %zu (%zu bytes), range %zu-%zu\n",
               fast ? "hit" : "no hit", fast ? fast->offset : 0, fast ? fast->matchedLength : 0,
               naive ? "hit" : "no hit", naive ? naive->offset : 0,
               naive ? naive->matchedLength : 0, from, to);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider input(bytes, size);
  SearchOptions options;
  options.optionsOpen = input.ConsumeBool();
  options.caseSensitive = input.ConsumeBool();
  options.distinguishWidthAndKana = input.ConsumeBool();
  options.commaIsContent = input.ConsumeBool();
  options.searchUtf16 = input.ConsumeBool();
  options.skipLineBreaks = input.ConsumeBool();
  const bool doc = input.ConsumeBool();
  options.nameFilter = input.ConsumeBool() ? "n" : "";
  const std::string content = input.ConsumeRandomLengthString(48);
  const std::string data = input.ConsumeRemainingBytesAsString();

  SearchQuery query;
  if (!ParseSearchContent(
          content, options, [](const std::string&) {}, query))
    return 0;
  if (query.patternLength < 0 ||
      static_cast<std::size_t>(query.patternLength) > query.pattern.size()) {
    std::fprintf(stderr, "pattern length %d over %zu bytes\n", query.patternLength,
                 query.pattern.size());
    std::abort();
  }
  MatchOptions match = MatchOptionsFor(options, query.mode);
  match.mode = query.mode;
  const BufferMatcher matcher(PatternsForFile(doc ? "f.doc" : "f.txt", query), match);
  Compare(matcher, data, 0, data.size());
  // A range inside the buffer, with bytes before and after it, as the file scan asks.
  if (data.size() > 2) Compare(matcher, data, 1, data.size() - 1);
  return 0;
}
