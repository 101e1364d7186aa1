#include "search/inflate_stream.h"

#include <zlib.h>

#include <memory>
#include <vector>

namespace trovex::search {
namespace {

class ZStream {
 public:
  explicit ZStream(Compression compression) {
    // -15: raw deflate without a header; 16 + 15: a gzip header and trailer.
    ok_ = inflateInit2(&z_, compression == Compression::Gzip ? 16 + MAX_WBITS : -MAX_WBITS) == Z_OK;
  }
  ~ZStream() {
    if (ok_) inflateEnd(&z_);
  }
  ZStream(const ZStream&) = delete;
  ZStream& operator=(const ZStream&) = delete;
  bool ok() const { return ok_; }
  z_stream& z() { return z_; }

 private:
  z_stream z_{};
  bool ok_ = false;
};

bool Cancelled(const std::atomic<bool>* cancel) {
  return cancel && cancel->load(std::memory_order_relaxed);
}

}  // namespace

StreamEnd Inflate(Compression compression, const ChunkSource& source, const PieceSink& sink,
                  const std::atomic<bool>* cancel) {
  ZStream stream(compression);
  if (!stream.ok()) return StreamEnd::Damaged;
  z_stream& z = stream.z();
  std::vector<unsigned char> in(kInflateChunk);
  std::vector<unsigned char> out(kInflateChunk);
  std::uint64_t totalIn = 0;
  std::uint64_t totalOut = 0;
  bool inputEnded = false;
  bool memberEnded = false;  // gzip: a member ended; another may follow
  for (;;) {
    if (Cancelled(cancel)) return StreamEnd::Cancelled;
    if (z.avail_in == 0 && !inputEnded) {
      const std::int64_t got = source(reinterpret_cast<char*>(in.data()), in.size());
      if (got < 0) return StreamEnd::Damaged;
      if (got == 0) {
        inputEnded = true;
      } else {
        z.next_in = in.data();
        z.avail_in = static_cast<uInt>(got);
        totalIn += static_cast<std::uint64_t>(got);
      }
    }
    if (memberEnded) {
      // Anything after a gzip member other than another member is ignored, as
      // gzip itself ignores trailing zeros.
      if (z.avail_in == 0) {
        if (inputEnded) return StreamEnd::Complete;
        continue;
      }
      if (z.next_in[0] != 0x1F) return StreamEnd::Complete;
      if (inflateReset(&z) != Z_OK) return StreamEnd::Damaged;
      memberEnded = false;
    }
    if (z.avail_in == 0 && inputEnded) return StreamEnd::Damaged;  // cut off
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const uInt availBefore = z.avail_in;
    const int rc = inflate(&z, Z_NO_FLUSH);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) return StreamEnd::Damaged;
    const std::size_t produced = out.size() - z.avail_out;
    totalOut += produced;
    if (totalOut > kRatioFreeBytes && totalOut / kMaxInflateRatio > totalIn)
      return StreamEnd::Damaged;
    if (produced > 0 &&
        !sink(std::string_view(reinterpret_cast<const char*>(out.data()), produced)))
      return StreamEnd::Stopped;
    if (rc == Z_STREAM_END) {
      if (compression == Compression::RawDeflate) return StreamEnd::Complete;
      memberEnded = true;
    } else if (rc == Z_BUF_ERROR && produced == 0 && z.avail_in == availBefore &&
               (availBefore > 0 || inputEnded)) {
      return StreamEnd::Damaged;  // no progress is possible
    }
  }
}

}  // namespace trovex::search
