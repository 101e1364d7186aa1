// Hit lines: any line splits into a path and an offset text that join back into
// it, a line read as a hit is written back as a line that reads as the same hit,
// and any hit comes back from its line.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "search/hit_line.h"

using namespace trovex::search;

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(bytes), size);
  if (const auto parts = SplitHitLine(line)) {
    if (parts->path + "=" + parts->offsetText != line) Fail("the parts do not join into the line");
    if (parts->offsetText.find('=') != std::string::npos) Fail("the offset text holds a '='");
  } else if (line.find('=') != std::string_view::npos) {
    Fail("a line with '=' did not split");
  }

  if (const auto hit = ParseHitLine(line)) {
    if (ParseHitLine(FormatHitLine(*hit)) != hit) Fail("a hit read from a line changed on writing");
  }

  FuzzedDataProvider input(bytes, size);
  Hit hit;
  hit.mismatched = input.ConsumeBool();
  if (!hit.mismatched) hit.offset = input.ConsumeIntegral<std::uint64_t>();
  hit.path = input.ConsumeRemainingBytesAsString();
  const auto back = SplitHitLine(FormatHitLine(hit));
  if (!back || back->path != hit.path) Fail("the path did not come back");
  if (ParseHitLine(FormatHitLine(hit)) != hit) Fail("the hit did not come back");
  return 0;
}
