#pragma once
// What the system says about its version, for classifying it.
namespace trovex::os {

struct SystemVersion {
  bool nt = false;  // VER_PLATFORM_WIN32_NT
  unsigned major = 0;
  unsigned minor = 0;
};

// The version as GetVersionEx reports it (all zero when the call fails).
SystemVersion QuerySystemVersion();

// True when kernel32.dll exports QueryFullProcessImageNameW (Vista and later).
bool HasQueryFullProcessImageName();

}  // namespace trovex::os
