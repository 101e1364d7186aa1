#pragma once
// Bytes read at any offset, from a file or from memory: a zip archive is read the
// same way whether it is a file on disk or an entry of another archive.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fs/random_access_file.h"

namespace trovex::search {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Up to `length` bytes from `offset` (fewer at the end); nullopt on a read error.
  virtual std::optional<std::size_t> ReadAt(std::uint64_t offset, char* dest,
                                            std::size_t length) const = 0;
};

class FileBytes final : public ByteSource {
 public:
  bool Open(const std::string& path) { return file_.Open(path); }
  bool IsOpen() const { return file_.IsOpen(); }
  std::uint64_t Size() const override { return file_.Size(); }
  std::optional<std::size_t> ReadAt(std::uint64_t offset, char* dest,
                                    std::size_t length) const override {
    return file_.ReadAt(offset, dest, length);
  }

 private:
  fs::RandomAccessFile file_;
};

class MemoryBytes final : public ByteSource {
 public:
  explicit MemoryBytes(std::string_view bytes) : bytes_(bytes) {}
  std::uint64_t Size() const override { return bytes_.size(); }
  std::optional<std::size_t> ReadAt(std::uint64_t offset, char* dest,
                                    std::size_t length) const override;

 private:
  std::string_view bytes_;
};

// Exactly `length` bytes from `offset` into `out`, or false.
bool ReadExactly(const ByteSource& source, std::uint64_t offset, std::size_t length,
                 std::string& out);

}  // namespace trovex::search
