// Utf8ToShiftJis decodes without checking continuation bytes. On valid UTF-8 it
// must give what a strict decoder and the CP932 table give; on any bytes it must
// not fault and must stop before the first zero byte.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/text/cp932.h"
#include "platform/text/utf8.h"
#include "results/unicode_to_shift_jis.h"

using namespace trovex;

namespace {

// CP932 of strictly decoded UTF-16 text: up to the first zero, a leading byte-order
// mark (either order) dropped, a character beyond the BMP or without a CP932 form
// as one space.
std::string Reference(const std::u16string& units) {
  std::size_t i = 0;
  if (!units.empty() && (units[0] == 0xFEFF || units[0] == 0xFFFE)) i = 1;
  std::string out;
  for (; i < units.size() && units[i] != 0; ++i) {
    const char16_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF) {  // a pair: one character
      out += ' ';
      ++i;
      continue;
    }
    char bytes[2];
    const int n = text::EncodeCp932Unit(unit, bytes);
    if (n == 0)
      out += ' ';
    else
      out.append(bytes, static_cast<std::size_t>(n));
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::string_view utf8(reinterpret_cast<const char*>(bytes), size);
  const std::string sjis = results::Utf8ToShiftJis(utf8);
  if (utf8.find('\0') == std::string_view::npos && sjis.find('\0') != std::string::npos) {
    std::fprintf(stderr, "a zero byte came out of text without one\n");
    std::abort();
  }
  std::string_view body = utf8;
  if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
  if (const auto units = text::Utf8ToUtf16(body)) {
    const std::string expected = Reference(*units);
    if (sjis != expected) {
      std::fprintf(stderr, "valid UTF-8 gave %zu bytes, the table %zu\n", sjis.size(),
                   expected.size());
      std::abort();
    }
  }
  return 0;
}
