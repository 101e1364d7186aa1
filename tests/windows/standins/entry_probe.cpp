// Runs the program entry with recording hooks instead of windows, so that a test
// can start it as a second process. Each hook call becomes one line of the file
// named by the first argument (CP932).
#include <cstdio>
#include <stdexcept>
#include <string>

#include "app/program_entry.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 2;
  auto record = [out](const std::string& line) {
    std::fputs((line + "\n").c_str(), out);
    std::fflush(out);
  };
  trovex::app::ProgramEntryHooks hooks;
  hooks.setTitle = [&](const std::string& title) { record("title:" + title); };
  hooks.showMessage = [&](const std::string& text) { record("message:" + text); };
  hooks.createWindows = [&] { record("create"); };
  hooks.runMessageLoop = [&] { record("loop"); };
  hooks.showException = [&](const std::exception& error) {
    record(std::string("exception:") + error.what());
  };
  int code = trovex::app::RunProgramEntry(hooks);
  record("exit:" + std::to_string(code));
  std::fclose(out);
  return code;
}
