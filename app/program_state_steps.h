#pragma once
// The steps of the main window's start and close that fill or save the program's
// shared state: folders, settings, system probes and the error log.
#include <functional>
#include <string>

#include "app/app_settings.h"
#include "results/program_state.h"

namespace trovex::app {

using results::ProgramState;

// Construction, first part: the folders from the executable's path and the user
// name, UserDataDir created, older files moved into it.
void StartFolders(ProgramState& state, const std::string& exePath, const std::string& userName);

// Construction, second part: the desktop shortcut repaired, the settings read
// ("updatepath" written when missing), OsLevel probed and the administrator
// warning shown through `showMessage` when due. A settings value of the wrong type
// throws os::RegistryError.
void StartSettingsAndProbes(ProgramState& state, const std::string& exePath,
                            const std::function<void(const std::string&)>& showMessage);

// Window creation: ErrorLogList from ErrorLogPath when that file exists.
void LoadErrorLog(ProgramState& state);

// Close: ErrorLogList written back when its file exists, then the settings written.
// Returns false when the settings key was gone and nothing was written to it.
bool SaveAtClose(const ProgramState& state);

}  // namespace trovex::app
