#pragma once
// The steps of the main window's start and close that need no window: folders,
// older files, the desktop shortcut, the settings key and the system probes.
// TForm1 calls them in its constructor.
#include <string>
#include <vector>

#include "app/app_folders.h"
#include "app/app_settings.h"

namespace trovex::app {

// Creates UserDataDir with its missing parents; a failure is left for later saves to meet.
void PrepareUserDataDir(const AppFolders& folders);

// Moves an older "data\errlog.txt" (only when the user has none) and the "*.txd"
// files of SharedDataDir into UserDataDir. A move never overwrites: one whose
// target exists, or that fails otherwise, is skipped.
void MoveOlderFiles(const AppFolders& folders);

// When the desktop shortcut named after the title points into an "AppData" folder
// and the App Paths entry of `exeFileName` gives another place, the shortcut is made
// again pointing at that place. `desktopFolder` has no trailing "\".
void RepairDesktopShortcut(const std::string& desktopFolder, const std::string& exeFileName);

// Opens the settings key (never creating it), writes "updatepath" = programDir when
// that value is missing, then reads each value that exists into `settings`.
// A value stored with the wrong type throws os::RegistryError.
void ReadStartupSettings(const std::string& programDir, StoredSettings& settings);

// Writes the values back at close. Returns false, writing nothing, when the key no
// longer exists (it is never re-created here) or a write fails.
bool WriteClosingSettings(const StoredSettings& settings);

// The OsLevel of the running system.
int ProbeOsLevel();

// True when the administrator warning is due: OsLevel above 1 and the shell's
// test is missing or reports a non-administrator.
bool AdministratorWarningDue(int osLevel);
std::string AdministratorWarningText();

}  // namespace trovex::app
