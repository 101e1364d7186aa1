// trovex-find: the console front end of the search engine.
#include <cstdio>

#include "cli/find_command.h"
#include "platform/os/console_text.h"

int main(int argc, char** argv) {
  const auto arguments = trovex::os::ProgramArguments(argc, argv);
  if (!arguments) {
    std::fprintf(stderr, "trovex-find: the command line has a character Shift-JIS (CP932) cannot hold\n");
    return trovex::cli::kBadInput;
  }
  return trovex::cli::RunFind(*arguments, stdout, stderr);
}
