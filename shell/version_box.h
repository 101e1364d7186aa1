#pragma once
// TVersionBox: the modal version window ("バージョン情報"): title, programmer, version
// and years lines, the maker's name as a link, the animated logo, OK and "Update",
// which looks on the maker's update server for a newer release archive and offers
// to download it into a folder the user chooses (中止 cancels while it downloads).
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "platform/ui/bitmap.h"
#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "platform/ui/progress_bar64.h"
#include "platform/ui/timer.h"
#include "shell/version_logo.h"

namespace trovex::shell {

// What the update check needs.
struct UpdateCheckSetup {
  std::string serverBase;  // ends with "/"
  std::string pageName;
  std::string archivePrefix;
  std::string pageFolder;
  std::string downFolder;
  std::string currentVersion;  // four characters
  bool noVersionCheck = false;
};

struct VersionBoxSetup {
  std::string title, programmer, version, year, corp, homePage;
  ui::Color backColor = ui::clWhite, titleColor = ui::clBlack, versionColor = ui::clBlack,
            dateColor = ui::clBlack;
  int jumpXY = 2;
  int stretchMax = 5;
  UpdateCheckSetup update;
};

class TVersionBox : public ui::Form {
 public:
  TVersionBox(ui::Form* owner, const VersionBoxSetup& setup);

  static constexpr const char* kAgentPage = "vemko-pellow";
  static constexpr const char* kAgentArchive = "vemko";

  ui::Panel Panel1;
  VersionLogo Image1;
  ui::Bitmap Image2{128, 64};  // the logo's two 64 x 64 frames side by side
  ui::StaticText StaticText1;
  ui::Label Label2;
  ui::StaticText StaticText2;
  ui::Label Label3;
  ui::Label Label4;
  ui::Button OKButton;
  ui::Button UpdateChkBtn;
  ui::ProgressBar64 ColorProgressBar1;
  ui::Timer Timer1;

  void Timer1Timer(ui::Component& sender);
  void Image1MouseMove(ui::Component& sender, ui::ShiftState shift, int x, int y);
  void Image1MouseDown(ui::Component& sender, ui::MouseButton button, ui::ShiftState shift, int x,
                       int y);
  void Panel1MouseMove(ui::Component& sender, ui::ShiftState shift, int x, int y);
  void Label4Click(ui::Component& sender);
  void UpdateChkBtnClick(ui::Component& sender);

  // ShellExecute(verb, file, parameters, directory); true on success. Tests
  // replace it.
  std::function<bool(const std::string& verb, const std::string& file,
                     const std::string& parameters, const std::string& directory)>
      OpenInShell;

  bool Downloading() const { return downloading_; }
  const std::string& ArchiveName() const { return archiveName_; }
  int LogoFrame() const { return frame_; }
  int LogoOffset() const { return offset_; }

 protected:
  void FormShow() override;
  void FormCloseQuery(bool& canClose) override;
  void FormClose(ui::CloseAction& action) override;

 private:
  void CheckForUpdate();
  void Download();
  int Draw(int below);  // uniformly 0 .. below - 1

  UpdateCheckSetup update_;
  std::string homePage_;
  int jumpXY_;
  int stretchMax_;
  std::string archiveName_;
  // A click on the button while downloading_ asks for a cancel; cancel_ is cleared
  // when the download is over, so a click after it cancels nothing.
  bool downloading_ = false;
  bool cancel_ = false;
  bool checking_ = false;  // the check runs: clicks other than a cancel wait
  int frame_ = 0;
  int homeLeft_ = 0, homeTop_ = 0;
  int offset_ = 0;
  bool pressed_ = false;
  std::mt19937 random_;
};

}  // namespace trovex::shell
