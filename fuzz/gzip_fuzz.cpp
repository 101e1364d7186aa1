// gzip inflation over any bytes, read in chunks the bytes choose: no fault, no
// hang, and the same output and end however the input is cut (a damaged
// stream's output up to where the damage shows aside).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "search/inflate_stream.h"

using namespace trovex::search;

namespace {

StreamEnd Inflated(std::string_view data, bool smallChunks, std::string& out) {
  std::size_t at = 0;
  const ChunkSource source = [&](char* dest, std::size_t capacity) -> std::int64_t {
    std::size_t length = std::min(capacity, data.size() - at);
    if (smallChunks && length > 0)
      length = std::min<std::size_t>(length, 1 + static_cast<unsigned char>(data[at]) % 7);
    std::memcpy(dest, data.data() + at, length);
    at += length;
    return static_cast<std::int64_t>(length);
  };
  return Inflate(
      Compression::Gzip, source,
      [&](std::string_view piece) {
        out.append(piece);
        return out.size() < (64u << 20);
      },
      nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view data(reinterpret_cast<const char*>(bytes), size);
  std::string whole, pieces;
  const StreamEnd a = Inflated(data, false, whole);
  const StreamEnd b = Inflated(data, true, pieces);
  // Where a damaged stream is found out may depend on the reads; its output does not count.
  if (a != b || (a != StreamEnd::Damaged && whole != pieces)) {
    std::fprintf(stderr, "gzip output depends on how the input is read\n");
    std::abort();
  }
  return 0;
}
