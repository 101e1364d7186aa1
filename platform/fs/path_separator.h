#pragma once
// How the platform joins folder and file names.
namespace trovex::fs {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace trovex::fs
