#pragma once
// Playing a sound file in the background. Paths are CP932.
#include <string>

namespace trovex::os_shell {

class SoundService {
 public:
  virtual ~SoundService() = default;
  // Starts playing the wave file and returns at once. False when there is no such
  // file or the system refused to start; callers may ignore that.
  virtual bool PlayFile(const std::string& path) = 0;
};

// PlaySoundW with SND_ASYNC | SND_FILENAME | SND_NODEFAULT: no default sound when
// the file is missing.
class SystemSound : public SoundService {
 public:
  bool PlayFile(const std::string& path) override;
};

}  // namespace trovex::os_shell
