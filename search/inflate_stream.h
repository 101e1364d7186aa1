#pragma once
// zlib's inflate over compressed bytes read in chunks: raw deflate (zip entries)
// or gzip members one after the other (.gz files). Memory stays at one input and
// one output chunk whatever the size of the stream.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string_view>

namespace trovex::search {

// Takes each piece of output in turn; false stops the inflation.
using PieceSink = std::function<bool(std::string_view piece)>;
// Fills `dest` with up to `capacity` next compressed bytes: the count, 0 at the
// end of the input, -1 on a read error.
using ChunkSource = std::function<std::int64_t(char* dest, std::size_t capacity)>;

enum class StreamEnd {
  Complete,   // the stream ended as its format says
  Stopped,    // the sink asked to stop
  Damaged,    // invalid or cut-off data, a read error, or a ratio no real file has
  Cancelled,  // the cancel flag was set
};

enum class Compression { RawDeflate, Gzip };

// Output beyond this many bytes must stay within kMaxInflateRatio times the input
// read so far: a zip bomb stops after a few megabytes instead of filling gigabytes.
inline constexpr std::uint64_t kRatioFreeBytes = 16u << 20;
inline constexpr std::uint64_t kMaxInflateRatio = 200;
inline constexpr std::size_t kInflateChunk = 64u << 10;

StreamEnd Inflate(Compression compression, const ChunkSource& source, const PieceSink& sink,
                  const std::atomic<bool>* cancel);

}  // namespace trovex::search
