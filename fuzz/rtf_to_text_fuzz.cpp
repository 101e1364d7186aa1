// RtfToText over any bytes: no fault, and the text ends before its first zero
// byte as promised. Each reduction of the same bytes is checked in Reductions.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/rtf_to_text.h"

using trovex::search::RtfToText;

namespace {

// The reduction of the whole file, the one every other way of reducing must equal.
std::string WholeReduction(std::string_view rtf) {
  std::string text = RtfToText(rtf);
  if (text.find('\0') != std::string::npos) {
    std::fprintf(stderr, "the reduced text holds a zero byte\n");
    std::abort();
  }
  return text;
}

void Reductions(std::string_view rtf) { WholeReduction(rtf); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::string_view rtf(reinterpret_cast<const char*>(bytes), size);
  // The scan hands over the file up to its first zero byte.
  rtf = rtf.substr(0, rtf.find('\0'));
  Reductions(rtf);
  return 0;
}
