#include "app/program_state_steps.h"

#include "app/app_folders.h"
#include "app/startup_steps.h"
#include "platform/shell/shortcut.h"

namespace trovex::app {

void StartFolders(ProgramState& state, const std::string& exePath, const std::string& userName) {
  AppFolders folders = ComputeAppFolders(exePath, userName);
  state.ProgramDir = folders.ProgramDir;
  state.SharedDataDir = folders.SharedDataDir;
  state.UserDataDir = folders.UserDataDir;
  state.ErrorLogPath = folders.ErrorLogPath;
  PrepareUserDataDir(folders);
  MoveOlderFiles(folders);
}

void StartSettingsAndProbes(ProgramState& state, const std::string& exePath,
                            const std::function<void(const std::string&)>& showMessage) {
  RepairDesktopShortcut(shell::SpecialFolderPath(0), ExtractFileName(exePath));
  AppSettings settings = SettingsFromState(state, state.StoredControls);
  ReadStartupSettings(state.ProgramDir, settings);
  ApplySettings(settings, state);
  state.OsLevel = ProbeOsLevel();
  if (AdministratorWarningDue(state.OsLevel)) showMessage(AdministratorWarningText());
}

void LoadErrorLog(ProgramState& state) { state.ErrorLogList = LoadErrorLogList(state.ErrorLogPath); }

bool SaveAtClose(const ProgramState& state, const ControlSettings& controls) {
  SaveErrorLogList(state.ErrorLogPath, state.ErrorLogList);
  return WriteClosingSettings(SettingsFromState(state, controls));
}

AppSettings SettingsFromState(const ProgramState& state, const ControlSettings& controls) {
  AppSettings settings;
  settings.path = state.CurrentPath;
  settings.extpath = state.PendingResultsPath;
  settings.exitFrg = state.PendingResultsFlag;
  settings.prsRowFrg = controls.PrsRowChecked;
  settings.textOnly = controls.TextOnlyChecked;
  settings.shutDownMode = state.ExitMode;
  settings.option = controls.OptionIndex;
  return settings;
}

void ApplySettings(const AppSettings& settings, ProgramState& state) {
  state.CurrentPath = settings.path;
  state.PendingResultsPath = settings.extpath;
  state.PendingResultsFlag = settings.exitFrg;
  state.StoredControls.PrsRowChecked = settings.prsRowFrg;
  state.StoredControls.TextOnlyChecked = settings.textOnly;
  state.ExitMode = settings.shutDownMode;
  state.StoredControls.OptionIndex = settings.option;
}

}  // namespace trovex::app
