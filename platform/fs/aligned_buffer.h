#pragma once
// A zero-filled block of memory aligned for unbuffered reads (to a page at least).
#include <cstddef>
#include <new>

namespace trovex::fs {

class AlignedBuffer {
 public:
  static constexpr std::size_t kPageSize = 4096;

  AlignedBuffer() = default;
  ~AlignedBuffer() { Release(); }
  AlignedBuffer(const AlignedBuffer&) = delete;
  AlignedBuffer& operator=(const AlignedBuffer&) = delete;

  // Replaces the block by a new zero-filled one of `size` bytes aligned to
  // `alignment` (rounded up to a page). False when the memory is not there.
  bool Allocate(std::size_t size, std::size_t alignment);
  void Release();

  char* data() const { return data_; }
  std::size_t size() const { return size_; }
  explicit operator bool() const { return data_ != nullptr; }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t alignment_ = kPageSize;
};

}  // namespace trovex::fs
