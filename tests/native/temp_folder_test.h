#pragma once
// A test fixture with a fresh folder of its own under the temporary folder (named
// after the test), removed afterwards, and files written into it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace trovex::testing {

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("trovex_") + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // Writes `bytes` to a new file of the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  std::filesystem::path folder_;
};

}  // namespace trovex::testing
