#pragma once
// A file kept open for reads at any offset: the binary view reads one page at a
// time from wherever the user moves, and the small reads of the snippet open,
// read and close. Only regular disk files are opened (a device or pipe could block
// or never end); others may go on reading and writing the file meanwhile. Paths
// are the platform's names (Windows: CP932; POSIX: the file system's bytes).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace trovex::fs {

class RandomAccessFile {
 public:
  RandomAccessFile() = default;
  ~RandomAccessFile() { Close(); }
  RandomAccessFile(const RandomAccessFile&) = delete;
  RandomAccessFile& operator=(const RandomAccessFile&) = delete;

  // False when the file cannot be opened or is no regular file.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return handle_ != -1; }
  // The size at opening.
  std::uint64_t Size() const { return size_; }

  // Reads up to `length` bytes from `offset` into `dest`, fewer at the end of the
  // file and none past it; nullopt on a read error or when nothing is open.
  std::optional<std::size_t> ReadAt(std::uint64_t offset, char* dest, std::size_t length) const;

 private:
  std::intptr_t handle_ = -1;
  std::uint64_t size_ = 0;
  // Where the handle's own file pointer is (Windows): reads move it, so one object
  // is read by one thread at a time.
  mutable std::uint64_t filePointer_ = 0;
};

}  // namespace trovex::fs
