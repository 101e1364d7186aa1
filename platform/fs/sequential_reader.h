#pragma once
// Reads one file front to back in large sector-aligned chunks: each read takes
// chunk + one sector bytes (chunk = 1024 sectors) and the next read starts one
// sector before the end of the previous one, so consecutive reads overlap by one
// sector. Unbuffered (bypassing the system cache) where asked and allowed.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace trovex::fs {

// What a walk already knows of a file it hands to the reader: the open folder it
// was listed in and whether the listing saw the name itself as no link. The reader
// then opens it by name in that folder (no path lookup per file) and, for a name
// that was no link, refuses a link found there now instead of following it.
struct ListedFile {
  std::intptr_t folder = -1;   // DirectoryListing::FolderHandle(); -1: open by path
  const char* name = nullptr;  // the name within that folder
  bool notLink = false;        // !DirEntry::isLink
};

// How a reader uses the system cache.
enum class CacheUse {
  Through,      // every file through the cache
  Bypass,       // every file unbuffered where the file system allows it
  BypassLarge,  // unbuffered from BypassCacheFrom() bytes on: a search of a folder read a
                // moment ago finds its files in the cache, and one huge file does not
                // push the user's working set out of it
};

// The size from which a file bypasses the cache by default: a sixteenth of the
// machine's memory (a file that would take a large share of the cache), at least
// 64 MiB. Asked of the system once.
std::uint64_t BypassCacheFrom();
std::uint64_t BypassCacheFromMemory(std::uint64_t physicalMemory);

class SequentialReader {
 public:
  static constexpr std::size_t kSectorsPerChunk = 1024;

  SequentialReader() = default;
  ~SequentialReader() { Close(); }
  SequentialReader(const SequentialReader&) = delete;
  SequentialReader& operator=(const SequentialReader&) = delete;

  // Opens an existing regular file for reading; others may go on reading and
  // writing it. An unbuffered read bypasses the system cache and needs a buffer
  // aligned to the sector; where the file system refuses, reads go through the
  // cache instead. False when the file cannot be opened or what was opened is no
  // regular file (a folder, pipe or device, whatever the listing saw), or when
  // `listed` says the name was no link and it is one now.
  bool Open(const std::string& path, std::uint32_t sectorSize, CacheUse cacheUse,
            const ListedFile& listed = {});
  bool Open(const std::string& path, std::uint32_t sectorSize, bool unbuffered,
            const ListedFile& listed = {}) {
    return Open(path, sectorSize, unbuffered ? CacheUse::Bypass : CacheUse::Through, listed);
  }
  void Close();

  // The size at opening. Reads end there: a file that grows while it is read ends
  // at its old size, and a pseudo file of size 0 reads nothing.
  std::uint64_t Size() const { return size_; }
  std::uint32_t SectorSize() const { return sectorSize_; }
  std::size_t ChunkSize() const { return std::size_t{sectorSize_} * kSectorsPerChunk; }
  std::size_t ReadSize() const { return ChunkSize() + sectorSize_; }
  // File offset of the next read.
  std::uint64_t Position() const { return position_; }
  bool Unbuffered() const { return unbuffered_; }
  // The size from which CacheUse::BypassLarge bypasses the cache, for the files opened
  // from now on (0: BypassCacheFrom()); lets a test read a small file both ways.
  void SetBypassFrom(std::uint64_t bytes) { bypassFrom_ = bytes; }
  // The system's error code (errno; Windows: GetLastError) of the last Open or read
  // that the system refused; 0 when none was, or when the file was refused for its
  // kind (not a regular file), which is no error to tell anyone about.
  int Error() const { return error_; }

  // Reads ReadSize() bytes (fewer at the end of the file or of Size()) from Position() into
  // `dest`, which is aligned to the sector and holds ReadSize() bytes, then moves
  // Position() back by one sector from the end of the read. Returns the bytes
  // read (0 at the end), or nullopt on a read error.
  std::optional<std::size_t> ReadNext(char* dest);

 private:
  std::optional<std::size_t> ReadAt(std::uint64_t offset, char* dest, std::size_t length);

  std::intptr_t handle_ = -1;
  std::uint64_t size_ = 0;
  bool advised_ = false;  // read-ahead asked for (POSIX)
  std::uint64_t position_ = 0;
  std::uint64_t filePointer_ = 0;  // where the handle's own file pointer is (Windows)
  std::uint32_t sectorSize_ = 512;
  bool unbuffered_ = false;
  std::uint64_t bypassFrom_ = 0;
  int error_ = 0;
};

}  // namespace trovex::fs
