#pragma once
// One read of an open Windows file at an offset, shared by the readers that keep a
// handle open.
#include <windows.h>

#include <cstdint>
#include <optional>

namespace trovex::fs {

// Reads up to `length` bytes at `offset` from the handle's own file pointer, which
// `filePointer` follows and which is moved only when the read starts elsewhere: a
// read given its offset in an OVERLAPPED costs one more call to Wine's server (a
// completion to post) for each read. Returns the bytes read, 0 at the end, or
// nothing on a failure (GetLastError tells which).
std::optional<DWORD> ReadHandleAt(HANDLE file, std::uint64_t& filePointer, std::uint64_t offset,
                                  char* dest, DWORD length);

}  // namespace trovex::fs
