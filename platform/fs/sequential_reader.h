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
// was listed in and whether the listing saw a plain file. The reader then opens it
// by name in that folder and need not ask the file's kind, which saves a path
// lookup and a system call on each of many small files.
struct ListedFile {
  std::intptr_t folder = -1;   // DirectoryListing::FolderHandle(); -1: open by path
  const char* name = nullptr;  // the name within that folder
  bool regular = false;        // DirEntry::isRegularFile
};

class SequentialReader {
 public:
  static constexpr std::size_t kSectorsPerChunk = 1024;

  SequentialReader() = default;
  ~SequentialReader() { Close(); }
  SequentialReader(const SequentialReader&) = delete;
  SequentialReader& operator=(const SequentialReader&) = delete;

  // Opens an existing regular file for reading; others may go on reading and
  // writing it. `unbuffered`: bypass the system cache (reads then need a buffer
  // aligned to the sector); where the file system refuses, reads go through the
  // cache instead. False when the file cannot be opened. `listed` may replace the
  // path lookup (POSIX) and the kind check; a file listed as plain whose kind has
  // changed since fails to open or at its first read.
  bool Open(const std::string& path, std::uint32_t sectorSize, bool unbuffered,
            const ListedFile& listed = {});
  void Close();

  // The size at opening; nothing when the open did not need to ask it.
  std::optional<std::uint64_t> Size() const { return size_; }
  std::uint32_t SectorSize() const { return sectorSize_; }
  std::size_t ChunkSize() const { return std::size_t{sectorSize_} * kSectorsPerChunk; }
  std::size_t ReadSize() const { return ChunkSize() + sectorSize_; }
  // File offset of the next read.
  std::uint64_t Position() const { return position_; }
  bool Unbuffered() const { return unbuffered_; }
  // The system's error code (errno; Windows: GetLastError) of the last Open or read
  // that the system refused; 0 when none was, or when the file was refused for its
  // kind (not a regular file), which is no error to tell anyone about.
  int Error() const { return error_; }

  // Reads ReadSize() bytes (fewer at the end of the file) from Position() into
  // `dest`, which is aligned to the sector and holds ReadSize() bytes, then moves
  // Position() back by one sector from the end of the read. Returns the bytes
  // read (0 at the end), or nullopt on a read error.
  std::optional<std::size_t> ReadNext(char* dest);

 private:
  std::optional<std::size_t> ReadAt(std::uint64_t offset, char* dest, std::size_t length);

  std::intptr_t handle_ = -1;
  std::optional<std::uint64_t> size_;
  bool advised_ = false;  // read-ahead asked for (POSIX)
  std::uint64_t position_ = 0;
  std::uint32_t sectorSize_ = 512;
  bool unbuffered_ = false;
  int error_ = 0;
};

}  // namespace trovex::fs
