// Hit lines: any line splits into a path and an offset text that join back into
// it, and a line made of any path and offset splits back into them.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "search/hit_line.h"
#include "search/int_syntax.h"

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

  FuzzedDataProvider input(bytes, size);
  const std::int64_t offset = input.ConsumeIntegral<std::int64_t>();
  const std::string path = input.ConsumeRemainingBytesAsString();
  const auto back = SplitHitLine(MakeHitLine(path, offset));
  if (!back || back->path != path) Fail("the path did not come back");
  if (ParseInt64Or(back->offsetText, offset == 0 ? 1 : 0) != offset)
    Fail("the offset did not come back");
  return 0;
}
