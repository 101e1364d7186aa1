#include "shell/version_box.h"

#include <windows.h>

#include "platform/shell/shell_execute.h"
#include "shell/update_rules.h"

namespace trovex::shell {

using shell::LogoJitter;
using shell::LogoSwing;

TVersionBox::TVersionBox(ui::Form* owner, const VersionBoxSetup& setup)
    : ui::Form(owner),
      Panel1(this),
      Image1(&Panel1),
      StaticText1(&Panel1, setup.title),
      Label2(&Panel1, setup.programmer),
      StaticText2(&Panel1, setup.version),
      Label3(&Panel1, setup.year),
      Label4(&Panel1, setup.corp),
      OKButton(this, "OK"),
      UpdateChkBtn(this, "Update"),
      ColorProgressBar1(this),
      update_(setup.update),
      homePage_(setup.homePage),
      jumpXY_(setup.jumpXY > 0 ? setup.jumpXY : 1),
      stretchMax_(setup.stretchMax),
      random_(std::random_device{}()) {
  SetText("バージョン情報");
  SetBorder(ui::BorderStyle::Dialog, ui::biSystemMenu);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(320, 196);

  Panel1.SetBounds(8, 8, 304, 138);
  Panel1.SetBevelOuter(ui::Bevel::Lowered);
  Panel1.SetColor(setup.backColor);
  Panel1.OnMouseMove = ui::Bind(this, &TVersionBox::Panel1MouseMove);

  homeLeft_ = 14;
  homeTop_ = 24;
  Image1.SetBounds(homeLeft_, homeTop_, 64, 64);
  Image1.SetCursor(ui::Cursor::Hand);
  Image1.OnMouseMove = ui::Bind(this, &TVersionBox::Image1MouseMove);
  Image1.OnMouseDown = ui::Bind(this, &TVersionBox::Image1MouseDown);
  DrawLogoFrames(Image2);

  ui::FontInfo font = StaticText1.Font();
  font.bold = true;
  font.size = 11;
  font.color = setup.titleColor;
  StaticText1.SetFont(font);
  StaticText1.SetBounds(104, 16, 190, 20);
  Label2.SetBounds(104, 44, 190, 16);
  font = StaticText2.Font();
  font.color = setup.versionColor;
  StaticText2.SetFont(font);
  StaticText2.SetHint("バージョン");
  StaticText2.SetBounds(104, 66, 190, 16);
  font = Label3.Font();
  font.color = setup.dateColor;
  Label3.SetFont(font);
  Label3.SetBounds(104, 88, 190, 16);
  font = Label4.Font();
  font.underline = true;
  font.color = 0xFF0000;  // blue
  Label4.SetFont(font);
  Label4.SetCursor(ui::Cursor::Hand);
  Label4.SetHint("Vemko Home");
  Label4.SetTop(112);
  Label4.OnClick = ui::Bind(this, &TVersionBox::Label4Click);

  OKButton.SetBounds(236, 158, 76, 26);
  OKButton.SetDefault(true);
  OKButton.SetModalResult(ui::mrOk);
  SetDefaultButton(&OKButton);
  UpdateChkBtn.SetBounds(8, 158, 76, 26);
  UpdateChkBtn.SetHint(
      "更新ファイルを確認する|"
      "Vemkoのサイトへ接続して最新のアップデートファイルの有無を確認します。");
  UpdateChkBtn.OnClick = ui::Bind(this, &TVersionBox::UpdateChkBtnClick);
  ColorProgressBar1.SetBounds(92, 162, 136, 18);
  ColorProgressBar1.Hide();

  Timer1.SetEnabled(false);
  Timer1.SetInterval(200);
  Timer1.OnTimer = ui::Bind(this, &TVersionBox::Timer1Timer);

  OpenInShell = [this](const std::string& verb, const std::string& file,
                       const std::string& parameters, const std::string& directory) {
    return os_shell::ShellExecuteText(Handle(), verb, file, parameters, directory,
                                      os_shell::kShowWindow);
  };
}

void TVersionBox::FormShow() {
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Label4.SetLeft(Panel1.Width() - Label4.Width() - 16);
  Timer1Timer(Timer1);
  Timer1.SetEnabled(true);
}

// The window stays while a download runs: 中止 ends it first.
void TVersionBox::FormCloseQuery(bool& canClose) { canClose = !downloading_ && !checking_; }

void TVersionBox::FormClose(ui::CloseAction&) { Timer1.SetEnabled(false); }

int TVersionBox::Draw(int below) {
  return std::uniform_int_distribution<int>(0, below - 1)(random_);
}

void TVersionBox::Timer1Timer(ui::Component&) {
  Image1.ShowFrame(&Image2, frame_);
  frame_ = 1 - frame_;
  int left = Image1.Left(), top = Image1.Top();
  if (frame_ == 1) {
    left = homeLeft_ + LogoJitter(Draw(jumpXY_), jumpXY_);
    top = homeTop_ + LogoJitter(Draw(jumpXY_), jumpXY_);
  } else {
    offset_ = LogoSwing(offset_, Draw(10), stretchMax_);
  }
  Image1.SetBounds(left, top, 64 + offset_, 64 + offset_);
}

void TVersionBox::Image1MouseMove(ui::Component&, ui::ShiftState, int, int) {
  if (!pressed_) offset_ = 10;
}

void TVersionBox::Image1MouseDown(ui::Component&, ui::MouseButton, ui::ShiftState, int, int) {
  offset_ = -10;
  pressed_ = true;
}

void TVersionBox::Panel1MouseMove(ui::Component&, ui::ShiftState, int, int) { pressed_ = false; }

void TVersionBox::Label4Click(ui::Component&) {
  if (OpenInShell("open", "iexplore", homePage_, "")) return;
  OpenInShell("open", homePage_, "", "");
}

}  // namespace trovex::shell
