#pragma once
// The program's own small zip reader: the central directory (ZIP64 included) and
// the data of stored and deflated entries, streamed. Sizes come from the central
// directory, so entries written with a data descriptor read like the others.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "search/byte_source.h"
#include "search/inflate_stream.h"

namespace trovex::search {

struct ZipEntry {
  std::string name;  // as stored: UTF-8 when utf8Name, else the archive's code page
  bool utf8Name = false;
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint32_t crc = 0;
  std::uint64_t compressedSize = 0;
  std::uint64_t size = 0;
  std::uint64_t localOffset = 0;  // of the local header, from the archive's start

  bool Encrypted() const { return (flags & 1u) != 0; }
  bool IsFolder() const { return !name.empty() && (name.back() == '/' || name.back() == '\\'); }
  // Stored or deflated, not encrypted.
  bool Readable() const { return !Encrypted() && (method == 0 || method == 8); }
};

enum class ZipOpen {
  Ok,
  NotZip,   // no end of central directory, and the bytes do not start as a zip
  Damaged,  // a zip whose directory is cut off or invalid
};

// Reads the central directory of `source` into `entries`, in directory order.
ZipOpen ReadZipDirectory(const ByteSource& source, std::vector<ZipEntry>& entries);

// The entry's data, inflated, in pieces to `sink`, checked against the size and
// CRC the directory gives. An entry that is not Readable() is Damaged.
StreamEnd ReadZipEntry(const ByteSource& source, const ZipEntry& entry, const PieceSink& sink,
                       const std::atomic<bool>* cancel);

// The whole entry when it inflates to at most `limit` bytes; for the small parts
// a document names its others in.
bool ReadSmallZipEntry(const ByteSource& source, const ZipEntry& entry, std::size_t limit,
                       std::string& out, const std::atomic<bool>* cancel);

}  // namespace trovex::search
