// Opening files, the properties sheet and sounds through the real shell, with
// nothing left open: only paths that fail or have no program are opened.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <mmsystem.h>

#include <cstdint>

#include "platform/shell/file_open.h"
#include "platform/shell/properties_sheet.h"
#include "platform/shell/sound.h"
#include "windows/shell_test_folder.h"

namespace trovex::os_shell {
namespace {

using testing::ShellTestFolder;

// Milliseconds `action` took.
template <typename Action>
DWORD Timed(Action action) {
  const DWORD start = GetTickCount();
  action();
  return GetTickCount() - start;
}

// True when a top-level window of this process is visible (a dialog left open).
bool AnyVisibleWindow() {
  bool found = false;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        if (IsWindowVisible(window)) *reinterpret_cast<bool*>(data) = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST(ShellOpen, OnlyAMissingAssociationLeadsToTheProgramChoice) {
  EXPECT_EQ(ClassifyShellOpen(true, 42, 0), OpenOutcome::Opened);
  // Old-style code in hInstApp, or the error code, says "no program".
  EXPECT_EQ(ClassifyShellOpen(false, SE_ERR_NOASSOC, 0), OpenOutcome::NoAssociation);
  EXPECT_EQ(ClassifyShellOpen(false, 0, ERROR_NO_ASSOCIATION), OpenOutcome::NoAssociation);
  // Everything else is a plain failure.
  EXPECT_EQ(ClassifyShellOpen(false, SE_ERR_FNF, ERROR_FILE_NOT_FOUND), OpenOutcome::Failed);
  EXPECT_EQ(ClassifyShellOpen(false, SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED),
            OpenOutcome::Failed);
  EXPECT_EQ(ClassifyShellOpen(false, SE_ERR_ASSOCINCOMPLETE, 0), OpenOutcome::Failed);
  // Success wins over a stale error code.
  EXPECT_EQ(ClassifyShellOpen(true, 42, ERROR_NO_ASSOCIATION), OpenOutcome::Opened);
}

TEST(ShellOpen, AMissingFileFailsAtOnceWithoutAnyDialog) {
  ShellTestFolder folder;
  const std::string missing = folder.PathOf("ない.txt");
  ShellFileOpener opener;
  OpenOutcome outcome = OpenOutcome::Opened;
  EXPECT_LT(Timed([&] { outcome = ShellOpen(nullptr, missing); }), 5000u);
  EXPECT_EQ(outcome, OpenOutcome::Failed);
  EXPECT_FALSE(opener.Open(nullptr, missing));
  EXPECT_FALSE(opener.Open(nullptr, ""));
  EXPECT_FALSE(opener.OpenWith(nullptr, ""));
  EXPECT_FALSE(AnyVisibleWindow());
}

// The real opener with the program choice recorded instead of started.
class OpenerWithoutChoiceDialog : public ShellFileOpener {
 public:
  bool OpenWith(void*, const std::string& path) override {
    choices.push_back(path);
    return true;
  }
  std::vector<std::string> choices;
};

TEST(ShellOpen, AFileTypeWithoutProgramAsksForTheChoice) {
  ShellTestFolder folder;
  const std::string path = folder.File("データ.trovexnoprogram");
  OpenOutcome outcome = OpenOutcome::Opened;
  EXPECT_LT(Timed([&] { outcome = ShellOpen(nullptr, path); }), 5000u);
  EXPECT_EQ(outcome, OpenOutcome::NoAssociation);

  // Open turns to the choice for exactly this path, and only then.
  OpenerWithoutChoiceDialog opener;
  EXPECT_TRUE(opener.Open(nullptr, path));
  EXPECT_EQ(opener.choices, std::vector<std::string>{path});
  EXPECT_FALSE(opener.Open(nullptr, folder.PathOf("ない.trovexnoprogram")));
  EXPECT_EQ(opener.choices.size(), 1u);
  EXPECT_FALSE(AnyVisibleWindow());
}

TEST(ShellPropertiesSheet, APathTheShellCannotParseFails) {
  ShellTestFolder folder;
  ShellPropertiesSheet sheet;
  EXPECT_FALSE(sheet.Show(nullptr, folder.PathOf("ない\\どこにも.txt")));
  EXPECT_FALSE(sheet.Show(nullptr, ""));
  EXPECT_FALSE(AnyVisibleWindow());
}

// A wave file of `seconds` of silence (8 kHz, 8-bit mono).
std::string SilentWave(int seconds) {
  const std::uint32_t samples = 8000u * seconds;
  std::string wave;
  auto add32 = [&](std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) wave += static_cast<char>((v >> shift) & 0xFF);
  };
  auto add16 = [&](std::uint16_t v) {
    wave += static_cast<char>(v & 0xFF);
    wave += static_cast<char>(v >> 8);
  };
  wave += "RIFF";
  add32(36 + samples);
  wave += "WAVEfmt ";
  add32(16);
  add16(1);     // PCM
  add16(1);     // mono
  add32(8000);  // samples per second
  add32(8000);  // bytes per second
  add16(1);     // block size
  add16(8);     // bits per sample
  wave += "data";
  add32(samples);
  wave.append(samples, static_cast<char>(0x80));
  return wave;
}

TEST(ShellSound, AMissingFileIsRefusedAndAnExistingOnePlaysInTheBackground) {
  ShellTestFolder folder;
  SystemSound sound;
  bool started = true;
  EXPECT_LT(Timed([&] { started = sound.PlayFile(folder.PathOf("start.wav")); }), 1000u);
  EXPECT_FALSE(started);
  EXPECT_FALSE(sound.PlayFile(folder.Folder("folder.wav")));
  EXPECT_FALSE(sound.PlayFile(""));

  // Three seconds of sound, yet the call comes back at once (whether or not this
  // machine has a sound device to play it on).
  const std::string wave = folder.File("start.wav", SilentWave(3));
  EXPECT_LT(Timed([&] { sound.PlayFile(wave); }), 1000u);
  PlaySoundW(nullptr, nullptr, 0);  // stop it before the folder goes
}

}  // namespace
}  // namespace trovex::os_shell
