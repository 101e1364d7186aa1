#pragma once
// A main window under test: a guarded, empty settings key, a program folder of its
// own, and a folder of files for its searches.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/os/wide_text.h"
#include "search/search_locations.h"
#include "search/search_options.h"
#include "shell_test_folder.h"
#include "startup_test_support.h"

namespace trovex::app {

// The history files (*.txd) of a folder, as full paths.
inline std::vector<std::string> HistoryFilesIn(const std::string& folder) {
  std::vector<std::string> files;
  WIN32_FIND_DATAW found;
  const std::wstring base = os::Widen(folder);
  HANDLE search = FindFirstFileW((base + L"*.txd").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    files.push_back(folder + os::Narrow(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() { startup_test::SettingsKeyGuard::CreateEmptyKey(); }
  StartupEnvironment Environment() const { return {dir_.path() + "Trovex.exe", "someone"}; }

  // The folder of files as the one location of a search.
  search::SearchLocations Locations() const {
    search::SearchLocations locations;
    locations.paths = {folder_.Root()};
    return locations;
  }
  static search::SearchOptions Content(const std::string& content) {
    search::SearchOptions options;
    options.content = content;
    return options;
  }

  testing::ShellTestFolder folder_;

 private:
  startup_test::SettingsKeyGuard guard_;
  startup_test::TempDir dir_;
};

}  // namespace trovex::app
