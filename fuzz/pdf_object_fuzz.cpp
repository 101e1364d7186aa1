// The PDF object parser over any bytes, and the whole reading of a file (cross
// references, their rebuilding, the page tree, the pages' text): no fault, no
// hang, and text that is valid UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text/utf8.h"
#include "search/byte_source.h"
#include "search/pdf_object.h"
#include "search/pdf_text.h"

using namespace trovex::search;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  pdf::Parser parser(data, 0, true);
  pdf::Object object;
  for (int i = 0; i < 10000; ++i) {
    const pdf::ParseStatus status = parser.Next(object);
    if (status == pdf::ParseStatus::End || status == pdf::ParseStatus::Truncated) break;
    if (status == pdf::ParseStatus::Bad) parser.Seek(parser.Position() + 1);
    if (parser.Position() > data.size()) std::abort();
  }
  const MemoryBytes source(data);
  std::string text;
  ReadPdfText(
      source,
      [&](std::string_view piece) {
        text.append(piece);
        return text.size() < (16u << 20);
      },
      nullptr);
  if (!trovex::text::Utf8ToUtf16(text)) std::abort();
  return 0;
}
