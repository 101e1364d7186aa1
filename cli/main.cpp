// trovex-find: the console front end of the search engine.
#include <csignal>
#include <cstdio>

#include "cli/find_command.h"
#include "platform/os/console_text.h"

int main(int argc, char** argv) {
#ifdef SIGPIPE
  // A reader that went away (`| head`) is a failed write to report, not a signal.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  const auto arguments = trovex::os::ProgramArguments(argc, argv);
  if (!arguments) {
    std::fprintf(stderr,
                 "trovex-find: the command line has a character Shift-JIS (CP932) cannot hold\n");
    return trovex::cli::kBadInput;
  }
  return trovex::cli::RunFind(*arguments, stdout, stderr);
}
