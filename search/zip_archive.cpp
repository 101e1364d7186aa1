#include "search/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace trovex::search {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint32_t kZip64End = 0x06064b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kMaxComment = 0xFFFF;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;
// A directory larger than this is taken as damaged rather than held in memory.
constexpr std::uint64_t kMaxDirectoryBytes = 64u << 20;

std::uint16_t U16(const std::string& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t U32(const std::string& b, std::size_t at) {
  return static_cast<std::uint32_t>(U16(b, at)) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}
std::uint64_t U64(const std::string& b, std::size_t at) {
  return static_cast<std::uint64_t>(U32(b, at)) | static_cast<std::uint64_t>(U32(b, at + 4)) << 32;
}

struct Directory {
  std::uint64_t entries = 0;
  std::uint64_t size = 0;
  std::uint64_t offset = 0;
  std::uint64_t recordPosition = 0;  // where the (ZIP64) end record lies
};

// The end record: the last signature from which the comment runs exactly to the
// end of the file, or failing that the last signature at all.
std::optional<std::uint64_t> FindEndRecord(const ByteSource& source, std::string& tail) {
  const std::uint64_t size = source.Size();
  if (size < kEndSize) return std::nullopt;
  const std::size_t length =
      static_cast<std::size_t>(std::min<std::uint64_t>(size, kEndSize + kMaxComment));
  const std::uint64_t start = size - length;
  if (!ReadExactly(source, start, length, tail)) return std::nullopt;
  std::optional<std::uint64_t> any;
  for (std::size_t i = length - kEndSize + 1; i-- > 0;) {
    if (U32(tail, i) != kEndOfDirectory) continue;
    if (i + kEndSize + U16(tail, i + 20) == length) return start + i;
    if (!any) any = start + i;
  }
  return any;
}

bool ReadZip64End(const ByteSource& source, std::uint64_t endPosition, Directory& dir) {
  if (endPosition < 20) return false;
  std::string locator;
  if (!ReadExactly(source, endPosition - 20, 20, locator) || U32(locator, 0) != kZip64Locator)
    return false;
  const std::uint64_t recordAt = U64(locator, 8);
  std::string record;
  if (recordAt > endPosition || !ReadExactly(source, recordAt, 56, record) ||
      U32(record, 0) != kZip64End)
    return false;
  dir.entries = U64(record, 32);
  dir.size = U64(record, 40);
  dir.offset = U64(record, 48);
  dir.recordPosition = recordAt;
  return true;
}

// ZIP64's extra field holds, in this order, those of the sizes and offset that
// the header marks with all bits set.
bool ApplyZip64Extra(std::string_view extra, ZipEntry& entry, bool wideSize, bool wideCompressed,
                     bool wideOffset) {
  std::size_t at = 0;
  while (at + 4 <= extra.size()) {
    const std::string block(extra.substr(at, 4));
    const std::uint16_t id = U16(block, 0);
    const std::uint16_t length = U16(block, 2);
    if (at + 4 + length > extra.size()) return false;
    if (id == 0x0001) {
      const std::string data(extra.substr(at + 4, length));
      std::size_t field = 0;
      auto take = [&](std::uint64_t& value) {
        if (field + 8 > data.size()) return false;
        value = U64(data, field);
        field += 8;
        return true;
      };
      if (wideSize && !take(entry.size)) return false;
      if (wideCompressed && !take(entry.compressedSize)) return false;
      if (wideOffset && !take(entry.localOffset)) return false;
      return true;
    }
    at += 4 + length;
  }
  return !(wideSize || wideCompressed || wideOffset);
}

bool ParseDirectory(const std::string& bytes, std::uint64_t count, std::uint64_t base,
                    std::vector<ZipEntry>& entries) {
  std::size_t at = 0;
  for (std::uint64_t n = 0; n < count; ++n) {
    if (at + kCentralSize > bytes.size() || U32(bytes, at) != kCentralHeader) return false;
    ZipEntry entry;
    entry.flags = U16(bytes, at + 8);
    entry.method = U16(bytes, at + 10);
    entry.crc = U32(bytes, at + 16);
    entry.compressedSize = U32(bytes, at + 20);
    entry.size = U32(bytes, at + 24);
    const std::size_t nameLength = U16(bytes, at + 28);
    const std::size_t extraLength = U16(bytes, at + 30);
    const std::size_t commentLength = U16(bytes, at + 32);
    entry.localOffset = U32(bytes, at + 42);
    const std::size_t end = at + kCentralSize + nameLength + extraLength + commentLength;
    if (end > bytes.size()) return false;
    entry.name = bytes.substr(at + kCentralSize, nameLength);
    entry.utf8Name = (entry.flags & 0x0800u) != 0;
    constexpr std::uint32_t kWide = 0xFFFFFFFF;
    if (!ApplyZip64Extra(
            std::string_view(bytes).substr(at + kCentralSize + nameLength, extraLength), entry,
            entry.size == kWide, entry.compressedSize == kWide, entry.localOffset == kWide))
      return false;
    if (entry.localOffset > std::numeric_limits<std::uint64_t>::max() - base) return false;
    entry.localOffset += base;
    entries.push_back(std::move(entry));
    at = end;
  }
  return true;
}

bool StartsAsZip(const ByteSource& source) {
  std::string head;
  return ReadExactly(source, 0, 4, head) && U32(head, 0) == kLocalHeader;
}

}  // namespace

ZipOpen ReadZipDirectory(const ByteSource& source, std::vector<ZipEntry>& entries) {
  entries.clear();
  std::string tail;
  const auto endAt = FindEndRecord(source, tail);
  if (!endAt) return StartsAsZip(source) ? ZipOpen::Damaged : ZipOpen::NotZip;
  std::string end;
  if (!ReadExactly(source, *endAt, kEndSize, end)) return ZipOpen::Damaged;
  Directory dir;
  dir.entries = U16(end, 10);
  dir.size = U32(end, 12);
  dir.offset = U32(end, 16);
  dir.recordPosition = *endAt;
  const bool marked = dir.entries == 0xFFFF || dir.size == 0xFFFFFFFF || dir.offset == 0xFFFFFFFF;
  if (!ReadZip64End(source, *endAt, dir) && marked) return ZipOpen::Damaged;
  // Bytes put before the archive (a self-extracting stub) shift every offset.
  if (dir.size > dir.recordPosition || dir.offset > dir.recordPosition - dir.size)
    return ZipOpen::Damaged;
  const std::uint64_t base = dir.recordPosition - dir.size - dir.offset;
  if (dir.size > kMaxDirectoryBytes || dir.entries > dir.size / kCentralSize + 1)
    return ZipOpen::Damaged;
  std::string bytes;
  if (!ReadExactly(source, dir.offset + base, static_cast<std::size_t>(dir.size), bytes))
    return ZipOpen::Damaged;
  if (!ParseDirectory(bytes, dir.entries, base, entries)) {
    entries.clear();
    return ZipOpen::Damaged;
  }
  return ZipOpen::Ok;
}

StreamEnd ReadZipEntry(const ByteSource& source, const ZipEntry& entry, const PieceSink& sink,
                       const std::atomic<bool>* cancel) {
  if (!entry.Readable()) return StreamEnd::Damaged;
  std::string local;
  if (!ReadExactly(source, entry.localOffset, kLocalSize, local) || U32(local, 0) != kLocalHeader)
    return StreamEnd::Damaged;
  const std::uint64_t dataAt = entry.localOffset + kLocalSize + U16(local, 26) + U16(local, 28);
  if (dataAt > source.Size() || entry.compressedSize > source.Size() - dataAt)
    return StreamEnd::Damaged;
  if (entry.method == 0 && entry.compressedSize != entry.size) return StreamEnd::Damaged;

  std::uint64_t next = dataAt;
  std::uint64_t left = entry.compressedSize;
  const ChunkSource chunks = [&](char* dest, std::size_t capacity) -> std::int64_t {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, capacity));
    if (want == 0) return 0;
    const auto got = source.ReadAt(next, dest, want);
    if (!got || *got != want) return -1;
    next += want;
    left -= want;
    return static_cast<std::int64_t>(want);
  };
  uLong crc = crc32(0L, Z_NULL, 0);
  std::uint64_t produced = 0;
  bool tooLong = false;
  const PieceSink checked = [&](std::string_view piece) {
    produced += piece.size();
    if (produced > entry.size) {
      tooLong = true;
      return false;
    }
    crc = crc32(crc, reinterpret_cast<const Bytef*>(piece.data()), static_cast<uInt>(piece.size()));
    return sink(piece);
  };
  StreamEnd end;
  if (entry.method == 0) {
    end = StreamEnd::Complete;
    std::string buffer(kInflateChunk, '\0');
    for (;;) {
      if (cancel && cancel->load(std::memory_order_relaxed)) return StreamEnd::Cancelled;
      const std::int64_t got = chunks(buffer.data(), buffer.size());
      if (got < 0) return StreamEnd::Damaged;
      if (got == 0) break;
      if (!checked(std::string_view(buffer.data(), static_cast<std::size_t>(got)))) {
        end = StreamEnd::Stopped;
        break;
      }
    }
  } else {
    end = Inflate(Compression::RawDeflate, chunks, checked, cancel);
  }
  if (tooLong) return StreamEnd::Damaged;
  if (end != StreamEnd::Complete) return end;
  if (produced != entry.size || crc != entry.crc) return StreamEnd::Damaged;
  return StreamEnd::Complete;
}

bool ReadSmallZipEntry(const ByteSource& source, const ZipEntry& entry, std::size_t limit,
                       std::string& out, const std::atomic<bool>* cancel) {
  out.clear();
  if (entry.size > limit) return false;
  const StreamEnd end = ReadZipEntry(
      source, entry,
      [&](std::string_view piece) {
        out.append(piece);
        return true;
      },
      cancel);
  return end == StreamEnd::Complete;
}

}  // namespace trovex::search
