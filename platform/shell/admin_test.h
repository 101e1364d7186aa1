#pragma once
namespace trovex::os_shell {

enum class AdminTestResult {
  ShellUnavailable,  // SHELL32.dll did not load
  TestMissing,       // it has no export with ordinal 680
  Administrator,
  NotAdministrator,
};

// The shell's own administrator test (SHELL32.dll export ordinal 680).
AdminTestResult RunShellAdminTest();

}  // namespace trovex::os_shell
