#include "app/main_form.h"

#include "app/about_values.h"
#include "app/app_identity.h"
#include "app/main_images.h"
#include "app/open_help.h"
#include "app/startup_steps.h"
#include "platform/os/display.h"
#include "platform/os/process_path.h"
#include "platform/os/user_name.h"
#include "platform/shell/com_thread.h"
#include "results/colour_scheme.h"
#include "results/error_log_dlg.h"

namespace trovex::app {

StartupEnvironment StartupEnvironment::Current() {
  return {os::RunningProgramPath(), os::CurrentUserName()};
}

TForm1::TForm1(const StartupEnvironment& environment)
    : SpeedButton3(this, "開始"),
      LogSpBtn(this, "ログ"),
      SpeedButton2(this),
      SpeedButton8(this),
      SpeedButton1(this, "拡大"),
      SpeedButton7(this, "ビュー"),
      ExitChkBox(this, "完了後にWindowsを終了する"),
      ButtonRowRule(this),
      Browser(this, State),
      Options(this, State),
      StatusBar1(this) {
  SetCaption(kAppTitle);
  SetBorder(ui::BorderStyle::Single, ui::biSystemMenu | ui::biMinimize);
  SetPosition(ui::FormPosition::ScreenCenter);
  FillImageList1(ImageList1);
  FillButtonGlyphs(ButtonGlyphs);
  BuildMenus();
  SetClientSize(kClientWidth, kCompactClientHeight);
  BuildButtonRow();
  PlaceColumns();
  Browser.Attach(ImageList1, {&Open1, &A1, &I1, &LargeIcon1, &N2, &HidenMenu});

  StatusBar1.SetPanels({ui::StatusPanel{-1, true, ""}});
  StatusBar1.OnDrawPanel = ui::Bind(this, &TForm1::StatusBar1DrawPanel);

  Timer1.SetEnabled(false);
  Timer1.SetInterval(500);
  Timer1.OnTimer = ui::Bind(this, &TForm1::Timer1Timer);

  StartFolders(State, environment.exePath, environment.userName);
  hint_.Install(this, [this](const std::string& longHint) { DisplayHint(longHint); });
  StartSettingsAndProbes(State, environment.exePath,
                         [](const std::string& text) { ui::App().ShowMessage(text); });
  Options.ShowStoredViewOptions();
  ApplyColourScheme();
}

void TForm1::ApplyColourScheme() {
  State.ColorDepth = os::WindowColorDepth(Handle());
  if (results::UsesRichColours(State.ColorDepth)) {
    ui::App().SetHintColor(0xFFEEDD);
    StatusBarColor = 0xC3C3C3;
  } else {
    SetColor(ui::clBtnFace);
    StatusBarColor = ui::clBtnFace;
  }
}

void TForm1::FormCreate() {
  LoadErrorLog(State);
  LogSpBtn.SetEnabled(!State.ErrorLogList.empty());
  comInitialised_ = os_shell::InitializeComForThread();
  Browser.ShowDriveLevel();  // the browser always opens at the drive level
}

void TForm1::FormShow() {
  Timer1.SetEnabled(true);
  SetActiveControl(&Options.Edit1);  // the search content has the focus first
}

void TForm1::FormCloseQuery(bool& /*canClose*/) { SaveAtClose(State); }

void TForm1::FormClose(ui::CloseAction& /*action*/) {
  if (comInitialised_) os_shell::UninitializeComForThread();
  comInitialised_ = false;
}

void TForm1::BuildMenus() {
  MainMenu1.SetImages(&ImageList1);
  MainMenu1.Add(FileMenu);
  FileMenu.Add(Open1);
  FileMenu.Add(N1);
  FileMenu.Add(Exit1);
  MainMenu1.Add(EditMenu);
  EditMenu.Add(A1);
  EditMenu.Add(I1);
  MainMenu1.Add(ViewMenu);
  ViewMenu.Add(LargeIcon1);
  ViewMenu.Add(N2);
  ViewMenu.Add(N3);
  ViewMenu.Add(HidenMenu);

  Open1.SetHint("検索するフォルダを開く");
  Open1.SetImageIndex(10);
  A1.SetImageIndex(9);
  I1.SetImageIndex(11);
  LargeIcon1.SetRadioItem(true);
  N2.SetRadioItem(true);
  N2.SetChecked(true);
  HidenMenu.SetImageIndex(2);
  Exit1.OnClick = ui::Bind(this, &TForm1::Exit1Click);
  SetMenu(&MainMenu1);
}

void TForm1::BuildButtonRow() {
  struct Placement {
    ui::SpeedButton& button;
    int glyph;
    int width;
    const char* hint;
  };
  const Placement row[] = {
      {SpeedButton3, kGlyphStart, 66, "Start"},
      {LogSpBtn, kGlyphLog, 58, "Error log|エラーログ"},
      {SpeedButton2, kGlyphHelp, 28, "Help|F1 Key"},
      {SpeedButton8, kGlyphVersion, 28, "Version|バージョン情報"},
      {SpeedButton1, kGlyphExtend, 66, "Extends window|ウィンドウを広げる"},
      {SpeedButton7, -1, 70, "File view|検索したファイルを一覧表示する"},
  };
  int left = 4;
  for (const Placement& place : row) {
    place.button.SetBounds(left, 3, place.width, 26);
    place.button.SetGlyph(place.glyph >= 0 ? &ButtonGlyphs : &ImageList1,
                          place.glyph >= 0 ? place.glyph : 0);
    place.button.SetHint(place.hint);
    place.button.SetCursor(ui::Cursor::Hand);
    left += place.width + 2;
  }
  // "拡大" stays down until it is clicked again; the option panel grows the window.
  SpeedButton1.SetGroupIndex(1);
  SpeedButton1.SetAllowAllUp(true);
  Options.SetExtendButton(&SpeedButton1);
  LogSpBtn.SetEnabled(false);  // FormCreate enables it when the error log has lines

  SpeedButton3.OnClick = ui::Bind(this, &TForm1::SpeedButton3Click);
  LogSpBtn.OnClick = ui::Bind(this, &TForm1::LogSpBtnClick);
  SpeedButton2.OnClick = ui::Bind(this, &TForm1::SpeedButton2Click);
  SpeedButton8.OnClick = ui::Bind(this, &TForm1::SpeedButton8Click);
  SpeedButton7.OnClick = ui::Bind(this, &TForm1::SpeedButton7Click);

  // Unchecked at every start: an unattended end is chosen for one search at a time.
  ExitChkBox.SetHint("検索が終わった時点でWindowsを終了する場合は、ここにチェック");
  // As wide as its caption and the box beside it, at the right end of the row.
  const int exitWidth =
      ui::MeasureText(ExitChkBox.Font(), ExitChkBox.Caption(), ExitChkBox.Dpi()).cx + 24;
  ExitChkBox.SetBounds(kClientWidth - exitWidth - 6, (kButtonRowHeight - ExitChkBox.Height()) / 2,
                       exitWidth, ExitChkBox.Height());

  ButtonRowRule.SetBevelOuter(ui::Bevel::Lowered);
  ButtonRowRule.SetBounds(0, kButtonRowHeight, kClientWidth, 2);
}

void TForm1::PlaceColumns() {
  const int height = kCompactClientHeight - kColumnsTop - kColumnsBottomMargin;
  Browser.SetBounds(kLeftColumnLeft, kColumnsTop, kLeftColumnWidth, height);
  Options.SetBounds(kRightColumnLeft, kColumnsTop, kRightColumnWidth, height);
  // Both columns reach down to the status line in the compact and the extended height.
  Browser.SetAnchors(ui::akLeft | ui::akTop | ui::akBottom);
  Options.SetAnchors(ui::akLeft | ui::akTop | ui::akBottom);
}

void TForm1::DisplayHint(const std::string& longHint) { StatusBar1.SetPanelText(0, longHint); }

void TForm1::StatusBar1DrawPanel(ui::StatusBar& bar, int panel, ui::Canvas& canvas,
                                 const RECT& rect) {
  canvas.SetBrushColor(StatusBarColor);
  canvas.FillRect(rect);
  const std::string& text = bar.PanelText(panel);
  const int y = (rect.bottom - rect.top) / 2 - canvas.TextHeight("H") / 2;
  canvas.SetFontColor(0xD0D0D0);
  canvas.TextOut(rect.left + bar.Scale(4), rect.top + y + bar.Scale(2), text);
  canvas.SetTransparent(true);
  canvas.SetFontColor(0x404040);
  canvas.TextOut(rect.left + bar.Scale(3), rect.top + y, text);
}

void TForm1::FormShortCut(unsigned key, ui::ShiftState, bool& handled) {
  if (key == VK_F1) {
    OpenHelp("");
    handled = true;
  }
}

void TForm1::Timer1Timer(ui::Component&) {
  Browser.UpdateNavigationButtons();
  LogSpBtn.SetEnabled(!State.ErrorLogList.empty());
  const int image = AdvanceViewButtonBlink(blink_, State.Settings.PendingResultsFlag);
  if (image >= 0) SpeedButton7.SetGlyph(&ImageList1, image);
}

void TForm1::LogSpBtnClick(ui::Component&) {
  auto dialog = ui::MakeForm<results::TErrorLogDlg>(this, State.ErrorLogList);
  dialog->ShowModal();
  if (dialog->KeptLog()) State.ErrorLogList = *dialog->KeptLog();
}

void TForm1::SpeedButton2Click(ui::Component&) { OpenHelp(""); }

void TForm1::SpeedButton8Click(ui::Component&) {
  SetAboutValues(AboutDialog1);
  AboutDialog1.Execute(this);
}

void TForm1::Exit1Click(ui::Component&) { Close(); }

void TForm1::OpenHelp(const std::string& anchor) {
  app::OpenHelp({State.ProgramDir, Handle(), [] { ui::App().ProcessMessages(); }}, anchor);
}

}  // namespace trovex::app
