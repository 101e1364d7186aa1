#include "app/open_help.h"

#include <chrono>
#include <thread>

#include "platform/fs/dir_listing.h"
#include "platform/shell/shell_execute.h"
#include "platform/shell/window_handover.h"

namespace trovex::app {

std::string HelpTarget(const std::string& programDir, const std::string& anchor) {
  return programDir + "Help" + "\\" + "TrovexBeta.html" + anchor;
}

void OpenHelp(const HelpContext& context, const std::string& anchor) {
  std::string target = HelpTarget(context.programDir, anchor);
  if (void* viewer = shell::FindTopLevelWindow(kHelpViewerClass)) {
    shell::SendCopyData(viewer, context.ownerWindow, "Vemko" + target);
    shell::BringOwnerForward(viewer);
    return;
  }
  std::string viewerProgram = context.programDir + "Help" + "\\Quillbox.exe";
  if (!fs::IsExistingFile(viewerProgram)) return;
  shell::ShellExecuteText(context.ownerWindow, "open", viewerProgram, "\"" + target + "\"", "",
                          shell::kShowWindow);
  for (int round = 0; round < kHelpViewerWaitRounds; ++round) {
    if (shell::FindTopLevelWindow(kHelpViewerClass)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (context.processMessages) context.processMessages();
  }
}

}  // namespace trovex::app
