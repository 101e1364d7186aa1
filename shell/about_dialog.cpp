#include "shell/about_dialog.h"

#include "platform/os/display.h"
#include "shell/update_rules.h"
#include "shell/version_box.h"

namespace trovex::shell {

using shell::kDefaultUpdatePage;
namespace {

// Cleared however Execute ends, also when the window throws.
struct BusyFlag {
  explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyFlag() { flag_ = false; }
  bool& flag_;
};

}  // namespace

void TAboutDialog::Execute(ui::Form* owner) {
  if (busy_) return;
  BusyFlag busy(busy_);

  VersionBoxSetup setup;
  setup.title = ApplicationTitle + "  " + VerNo;
  setup.programmer = "Programming by " + ProgramerName;
  setup.version = VerNoMain;
  setup.year = Year;
  setup.corp = Corp;
  setup.titleColor = TitleFontColor;
  setup.versionColor = VerFontColor;
  setup.dateColor = DateColor;
  // Few colours show the tint as a dither: white then.
  setup.backColor = os::WindowColorDepth(nullptr) <= 10 ? ui::clWhite : BackColor;
  setup.jumpXY = JumpXY;
  setup.stretchMax = StretchMax;
  setup.homePage = HomePage;
  setup.update.serverBase = UpdateServer;
  setup.update.pageName = UpdateFileName.empty() ? kDefaultUpdatePage : UpdateFileName;
  setup.update.archivePrefix = UpdateName;
  setup.update.pageFolder = UpdateFolderName;
  setup.update.downFolder = UpdateDownFolder;
  setup.update.currentVersion = VerStr;
  setup.update.noVersionCheck = NoChkDownLoad;

  auto box = ui::MakeForm<TVersionBox>(owner, setup);
  box->ShowModal();
}

}  // namespace trovex::shell
