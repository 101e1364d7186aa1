#pragma once
// TAboutDialog: the main window's non-visual version component. Execute fills and
// shows the modal version window TVersionBox with its properties and destroys it
// when it closes; while one is open, Execute does nothing.
#include <string>

#include "platform/ui/color.h"
#include "platform/ui/component.h"
#include "platform/ui/form.h"

namespace trovex::shell {

class TAboutDialog : public ui::Component {
 public:
  std::string ApplicationTitle;
  std::string VerNo;
  std::string VerNoMain;
  std::string ProgramerName;
  std::string Year;
  std::string Corp;
  std::string UpdateName;
  std::string VerStr;
  std::string UpdateFileName;
  std::string UpdateFolderName = "DownLoadHtml";
  std::string UpdateDownFolder = "UpdateFile";
  ui::Color BackColor = 0xBFFFF1;
  ui::Color DateColor = 0x606060;
  ui::Color TitleFontColor = ui::clBlack;
  ui::Color VerFontColor = 0x606060;
  int JumpXY = 2;
  int StretchMax = 5;
  bool NoChkDownLoad = false;
  // Where the update check and the maker link go; the paths are relative to
  // UpdateServer, which ends with "/".
  std::string UpdateServer;
  std::string HomePage;

  void Execute(ui::Form* owner);
  bool Busy() const { return busy_; }

 private:
  bool busy_ = false;
};

}  // namespace trovex::shell
