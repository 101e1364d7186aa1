#include "platform/shell/sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/os/wide_text.h"

namespace trovex::os_shell {

bool SystemSound::PlayFile(const std::string& path) {
  if (path.empty()) return false;
  const std::wstring file = os::Widen(path);
  // An asynchronous start reports success before the file is looked at.
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  return PlaySoundW(file.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT) != FALSE;
}

}  // namespace trovex::os_shell
