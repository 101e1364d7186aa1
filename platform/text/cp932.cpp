#include "platform/text/cp932.h"

namespace trovex::text {

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t Cp932CharLength(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && IsCp932LeadByte(static_cast<unsigned char>(text[pos]))) return 2;
  return 1;
}

}  // namespace trovex::text
