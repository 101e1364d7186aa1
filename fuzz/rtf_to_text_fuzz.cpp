// RtfToText over any bytes: no fault, and the text ends before its first zero
// byte as promised; the reduction read by read (RtfStreamReducer), cut at places
// the bytes themselves choose, gives exactly the same text.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "search/rtf_stream.h"
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

// The text fed in pieces whose lengths come from the bytes (1 to 16, so escapes
// and groups are cut everywhere), then the whole text as one piece.
std::string StreamedReduction(std::string_view rtf, bool onePiece) {
  trovex::search::RtfStreamReducer reducer;
  std::string text;
  std::size_t at = 0;
  while (at < rtf.size() && !reducer.Done()) {
    const std::size_t length =
        onePiece ? rtf.size() : 1 + static_cast<unsigned char>(rtf[(at * 7) % rtf.size()]) % 16;
    const std::string_view piece = rtf.substr(at, length);
    reducer.Feed(piece, text);
    at += piece.size();
  }
  reducer.Finish(text);
  return text;
}

void Reductions(std::string_view rtf) {
  const std::string whole = WholeReduction(rtf);
  for (const bool onePiece : {false, true}) {
    if (StreamedReduction(rtf, onePiece) != whole) {
      std::fprintf(stderr, "the reduction in pieces differs from the whole reduction\n");
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::string_view rtf(reinterpret_cast<const char*>(bytes), size);
  // The scan hands over the file up to its first zero byte.
  rtf = rtf.substr(0, rtf.find('\0'));
  Reductions(rtf);
  return 0;
}
