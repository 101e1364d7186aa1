#include "app/open_help.h"

#include <chrono>
#include <thread>

#include "platform/fs/dir_listing.h"
#include "platform/shell/shell_execute.h"
#include "platform/shell/shell_services.h"
#include "platform/shell/window_handover.h"

namespace trovex::app {

std::string HelpTarget(const std::string& programDir, const std::string& anchor) {
  return programDir + "Help" + "\\" + "TrovexBeta.html" + anchor;
}

std::string FileAddress(const std::string& path) {
  std::string address = "file:///";
  for (const char c : path) {
    if (c == '\\')
      address += '/';
    else if (c == ' ')
      address += "%20";
    else if (c == '#')
      address += "%23";
    else if (c == '%')
      address += "%25";
    else
      address += c;
  }
  return address;
}

void OpenHelp(const HelpContext& context, const std::string& anchor) {
  std::string target = HelpTarget(context.programDir, anchor);
  if (void* viewer = os_shell::FindTopLevelWindow(kHelpViewerClass)) {
    os_shell::SendCopyData(viewer, context.ownerWindow, "Vemko" + target);
    os_shell::BringOwnerForward(viewer);
    return;
  }
  std::string viewerProgram = context.programDir + "Help" + "\\Quillbox.exe";
  if (!fs::IsExistingFile(viewerProgram)) {
    // Without the viewer the installed page opens in the web browser, at its anchor.
    const std::string page = HelpTarget(context.programDir, "");
    if (fs::IsExistingFile(page))
      os_shell::Services().open->OpenAddress(context.ownerWindow, FileAddress(page) + anchor);
    return;
  }
  os_shell::ShellExecuteText(context.ownerWindow, "open", viewerProgram, "\"" + target + "\"", "",
                             os_shell::kShowWindow);
  for (int round = 0; round < kHelpViewerWaitRounds; ++round) {
    if (os_shell::FindTopLevelWindow(kHelpViewerClass)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (context.processMessages) context.processMessages();
  }
}

}  // namespace trovex::app
