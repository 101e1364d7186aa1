#pragma once
// A main window under test: a guarded, empty settings key, a program folder of its
// own, and a folder of files for its searches.
#include <gtest/gtest.h>

#include <string>

#include "app/main_form.h"
#include "search/search_locations.h"
#include "search/search_options.h"
#include "shell_test_folder.h"
#include "startup_test_support.h"

namespace trovex::app {

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
