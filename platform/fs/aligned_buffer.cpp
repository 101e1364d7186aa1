#include "platform/fs/aligned_buffer.h"

#include <cstring>

namespace trovex::fs {

bool AlignedBuffer::Allocate(std::size_t size, std::size_t alignment) {
  Release();
  std::size_t align = kPageSize;
  while (align < alignment) align *= 2;
  void* block = ::operator new(size == 0 ? 1 : size, std::align_val_t(align), std::nothrow);
  if (block == nullptr) return false;
  std::memset(block, 0, size);
  data_ = static_cast<char*>(block);
  size_ = size;
  alignment_ = align;
  return true;
}

void AlignedBuffer::Release() {
  if (data_ != nullptr) ::operator delete(data_, std::align_val_t(alignment_), std::nothrow);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace trovex::fs
