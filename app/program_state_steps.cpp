#include "app/program_state_steps.h"

#include "app/app_folders.h"
#include "app/startup_steps.h"
#include "platform/shell/shortcut.h"
#include "results/error_log_file.h"

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
  RepairDesktopShortcut(os_shell::SpecialFolderPath(0), ExtractFileName(exePath));
  ReadStartupSettings(state.ProgramDir, state.Settings);
  state.OsLevel = ProbeOsLevel();
  if (AdministratorWarningDue(state.OsLevel)) showMessage(AdministratorWarningText());
}

void LoadErrorLog(ProgramState& state) {
  state.ErrorLogList = results::LoadErrorLogList(state.ErrorLogPath);
}

bool SaveAtClose(const ProgramState& state) {
  results::SaveErrorLogList(state.ErrorLogPath, state.ErrorLogList);
  return WriteClosingSettings(state.Settings);
}

}  // namespace trovex::app
