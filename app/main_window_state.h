#pragma once
// The shared state the main window owns for the life of the process: its folders,
// the settings read at start and written at close, the system probes and the
// lists other windows use. TForm1 derives from it, so the names read as fields of
// the main window.
#include <functional>
#include <string>
#include <vector>

#include "app/app_settings.h"

namespace trovex::app {

// Settings whose controls live elsewhere in the main window (binary view check
// boxes, the content display option); kept here until those controls take them.
struct ControlSettings {
  bool PrsRowChecked = false;    // PrsRowChkBox
  bool TextOnlyChecked = false;  // TextOnlyChkBox
  int OptionIndex = 0;           // RadioGroup1 item index
};

struct MainWindowState {
  std::string ProgramDir;
  std::string SharedDataDir;
  std::string UserDataDir;
  std::string ErrorLogPath;
  int OsLevel = 0;
  int ColorDepth = 0;

  std::string CurrentPath;
  std::vector<std::string> BackStack;
  std::vector<std::string> nameTerms;
  std::vector<std::string> ErrorLogList;
  std::vector<std::string> HitList;
  std::vector<std::string> SearchContentList;
  int ExitMode = 0;
  bool PendingResultsFlag = false;
  std::string PendingResultsPath;
  ControlSettings StoredControls;
};

// Construction, first part: the folders from the executable's path and the user
// name, UserDataDir created, older files moved into it.
void StartFolders(MainWindowState& state, const std::string& exePath, const std::string& userName);

// Construction, second part: the desktop shortcut repaired, the settings read
// ("updatepath" written when missing), OsLevel probed and the administrator
// warning shown through `showMessage` when due. A settings value of the wrong type
// throws os::RegistryError.
void StartSettingsAndProbes(MainWindowState& state, const std::string& exePath,
                            const std::function<void(const std::string&)>& showMessage);

// Window creation: ErrorLogList from ErrorLogPath when that file exists.
void LoadErrorLog(MainWindowState& state);

// Close: ErrorLogList written back when its file exists, then the settings written.
// `controls` are the current values of the controls that hold settings. Returns
// false when the settings key was gone and nothing was written to it.
bool SaveAtClose(const MainWindowState& state, const ControlSettings& controls);

// The settings record of the state and control values, and back.
AppSettings SettingsFromState(const MainWindowState& state, const ControlSettings& controls);
void ApplySettings(const AppSettings& settings, MainWindowState& state);

}  // namespace trovex::app
