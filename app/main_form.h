#pragma once
// TForm1: the main window. It owns the program's shared state for the life of the
// process and holds its frame (button row, menus, status line with hints, timer,
// keyboard); the location browser and the option panel are areas of their own
// that it creates and places in its two columns.
#include <optional>
#include <string>
#include <vector>

#include "app/program_state_steps.h"
#include "app/view_button_blink.h"
#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/canvas.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/timer.h"
#include "results/program_state.h"
#include "results/history_file.h"
#include "results/view_dlg.h"
#include "search/search_locations.h"
#include "search/search_options.h"
#include "shell/about_dialog.h"
#include "shell/location_browser.h"
#include "shell/option_panel.h"

namespace trovex::app {

// Where the main window finds itself: the running program's path and user
// unless a test gives others.
struct StartupEnvironment {
  std::string exePath;
  std::string userName;
  static StartupEnvironment Current();
};

// What a search starts from: the locations the browser chose and the options
// the panel holds.
struct SearchInputs {
  search::SearchLocations locations;
  search::SearchOptions options;
};

class TForm1 : public ui::Form {
 public:
  explicit TForm1(const StartupEnvironment& environment = StartupEnvironment::Current());

  // Layout: the button row on top; below it the location browser takes the left
  // column and the search content box with the option panels the right one.
  static constexpr int kClientWidth = 600;
  static constexpr int kButtonRowHeight = 32;
  static constexpr int kLeftColumnLeft = 4;
  static constexpr int kLeftColumnWidth = 280;
  static constexpr int kRightColumnLeft = 292;
  static constexpr int kRightColumnWidth = 300;
  static constexpr int kCompactClientHeight = 360;
  static constexpr int kColumnsTop = kButtonRowHeight + 4;
  static constexpr int kColumnsBottomMargin = 24;  // the status line

  // The program's shared state, handed by reference to the windows that need it.
  results::ProgramState State;

  ui::Color StatusBarColor = ui::clBtnFace;  // background of the status line

  ui::ImageList ImageList1;
  ui::ImageList ButtonGlyphs;

  ui::MainMenu MainMenu1;
  ui::MenuItem FileMenu{"ファイル(&F)"};
  ui::MenuItem Open1{"開く(&O)"};
  ui::MenuItem N1{"-"};
  ui::MenuItem Exit1{"終了(&X)"};
  ui::MenuItem EditMenu{"編集(&E)"};
  ui::MenuItem A1{"全て選択(&A)"};
  ui::MenuItem I1{"選択の切り替え(&I)"};
  ui::MenuItem ViewMenu{"表示(&V)"};
  ui::MenuItem LargeIcon1{"大きいアイコン"};
  ui::MenuItem N2{"一覧"};
  ui::MenuItem N3{"-"};
  ui::MenuItem HidenMenu{"隠し属性を表示"};

  ui::SpeedButton SpeedButton3;  // 開始
  ui::SpeedButton LogSpBtn;      // ログ
  ui::SpeedButton SpeedButton2;  // help
  ui::SpeedButton SpeedButton8;  // version
  shell::TAboutDialog AboutDialog1;
  ui::SpeedButton SpeedButton1;    // 拡大
  ui::SpeedButton SpeedButton7;    // ビュー
  ui::CheckBox ExitChkBox;         // 完了後にWindowsを終了する
  ui::Panel ButtonRowRule;         // the line under the button row
  shell::LocationBrowser Browser;  // the left column
  shell::OptionPanel Options;      // the right column
  ui::StatusBar StatusBar1;
  ui::Timer Timer1;

  // Hands the help page "TrovexBeta.html" + anchor to the help viewer.
  void OpenHelp(const std::string& anchor);
  // The one place Start reads the browser and the option panel.
  SearchInputs CurrentSearchInputs();
  // Start: the search of CurrentSearchInputs().
  void SpeedButton3Click(ui::Component& sender);
  // Start's steps for these inputs: parse the content (a bad one shows its message
  // and ends here: false), make it the result's only search content, then
  // PrepareAndRun with the button-state timer stopped.
  bool StartSearch(const search::SearchLocations& locations, const search::SearchOptions& options);
  // The pre-count under its dialog; unless it was cancelled, the conditions taken,
  // the hit list cleared and the result window shown live until the user closes it.
  // True when the result window was shown.
  bool PrepareAndRun(const search::SearchLocations& locations,
                     const search::SearchOptions& options);
  // With ExitChkBox checked, asks for the power action's mode; a cancel unchecks it.
  void ChooseExitMode();
  // After an unattended run: the result saved as a new history file for the view
  // button, the countdown, then the action. A failed save stops here (logged).
  void FinishUnattendedRun();
  // The result window's save: the hit list as a history file, written back into the
  // open history or a new time-named file in UserDataDir. False when it failed.
  bool SaveCurrentResult();
  // Loads a history file into the hit list, the query and the search-content list
  // (OpenHistory); false when no file could be read at `path`.
  bool OpenHistory(const std::string& path, bool clearContents);
  // The result window's hooks into this window, and its snippets for `options`.
  results::ResultWindowSetup ResultWindowSetupFor(const search::SearchOptions& options);
  // The option panel's four matching options and its pattern box, which a history
  // load sets.
  struct MatchingBoxes {
    bool caseSensitive, distinguishWidthAndKana, skipLineBreaks, commaIsContent, regex;
  };
  MatchingBoxes MatchingBoxesNow() const;
  void SetMatchingBoxes(const MatchingBoxes& boxes);
  // Shows a result window modally (showing the history file just loaded when
  // `loadedHistory`); afterwards the user's four matching options and the hint
  // handler come back.
  void ShowResultWindow(results::ResultWindowSetup setup, bool loadedHistory,
                        const MatchingBoxes& usersBoxes);
  // The history list over `owner`; what the user did there is applied to State.
  // True when its OK loaded a file.
  bool OpenHistoryList(ui::Form& owner);
  // The rename dialog over the search contents; nullopt when cancelled.
  std::optional<std::string> ChooseHistoryName(ui::Form& owner, const std::string& current);
  // The binary view of a result row, over `owner`; returns its "Text" box at closing.
  bool OpenBinaryView(ui::Form& owner, const results::BinaryViewRequest& request);

  void Timer1Timer(ui::Component& sender);
  // ログ: the error log viewer, modal; a log the user kept there replaces ErrorLogList
  // (the timer's next tick sets the button by it).
  void LogSpBtnClick(ui::Component& sender);
  void SpeedButton2Click(ui::Component& sender);
  void SpeedButton8Click(ui::Component& sender);
  void SpeedButton7Click(ui::Component& sender);
  void Exit1Click(ui::Component& sender);
  void DisplayHint(const std::string& longHint);
  void StatusBar1DrawPanel(ui::StatusBar& bar, int panel, ui::Canvas& canvas, const RECT& rect);

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormCloseQuery(bool& canClose) override;
  void FormClose(ui::CloseAction& action) override;
  void FormShortCut(unsigned key, ui::ShiftState shift, bool& handled) override;
  void FormResize() override {}

 private:
  void BuildMenus();
  void BuildButtonRow();
  void PlaceColumns();
  void ApplyColourScheme();
  // The hit list as a history file (SaveCurrentResult), with the path it went to.
  results::HistorySave SaveResultFile();
  bool comInitialised_ = false;
  ViewButtonBlink blink_;
  ui::HintHandlerGuard hint_;  // the status line shows the hints (a window above puts them back)
};

}  // namespace trovex::app
