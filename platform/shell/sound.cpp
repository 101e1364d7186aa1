#include "platform/shell/sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "platform/os/wide_text.h"

namespace trovex::shell {

bool SystemSound::PlayFile(const std::string& path) {
  if (path.empty()) return false;
  return PlaySoundW(os::Widen(path).c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT) !=
         FALSE;
}

}  // namespace trovex::shell
