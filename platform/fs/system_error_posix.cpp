#include <string.h>

#include "platform/fs/system_error.h"

#include <cerrno>

namespace trovex::fs {

std::string SystemErrorText(int code) {
  char buffer[256] = {};
  // The GNU form returns the text, which may not be the buffer; the XSI form fills it.
#if defined(__GLIBC__) && defined(_GNU_SOURCE)
  return strerror_r(code, buffer, sizeof buffer);
#else
  if (strerror_r(code, buffer, sizeof buffer) != 0) return "error " + std::to_string(code);
  return buffer;
#endif
}

int PathTooLongError() { return ENAMETOOLONG; }

int DamagedDataError() { return EBADMSG; }

}  // namespace trovex::fs
