// The CMap parser over any program, then every code of the program's own bytes
// looked up: no fault, no hang, code lengths within the bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "search/pdf_cmap.h"

using namespace trovex::search::pdf;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  CMap map;
  map.Parse(data);
  for (std::size_t pos = 0; pos < data.size();) {
    const std::size_t length = map.CodeLength(data, pos, 2);
    if (length == 0 || length > 4 || pos + length > data.size()) std::abort();
    std::uint32_t code = 0;
    for (std::size_t i = 0; i < length; ++i) code = (code << 8) | bytes[pos + i];
    map.Text(code, length);
    map.Cid(code, length);
    pos += length;
  }
  return 0;
}
