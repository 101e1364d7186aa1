// Shows one window filled as a user would leave it, for a person to look at
// (scripts/tour.sh takes its picture): "conversion" is the text-to-bytes dialog
// with a UTF-8 list, "view-options" the option column extended by "拡大" with
// the view option pages, "input" the one-line input dialog as the rename of a result
// shows it, "errorlog" the error log viewer with two entries, "binary" the binary
// view of a Shift-JIS text file, "binary-text" the same in its text display and
// "binary-hit" the same opened on a hit, highlighted; "exitmode" the power action's
// mode dialog and "countdown" its countdown before a standby.
#include <windows.h>

#include <string>
#include <vector>

#include "app/main_images.h"
#include "platform/os/wide_text.h"
#include "platform/ui/application.h"
#include "platform/ui/speed_button.h"
#include "results/error_log_dlg.h"
#include "results/error_log_entry.h"
#include "shell/option_panel.h"
#include "search/parse_search_content.h"
#include "shell/exit_dlg.h"
#include "shell/shut_down_msg_dlg.h"
#include "viewer/binary_dlg.h"
#include "viewer/input_dlg.h"
#include "viewer/input_str_chg_dlg.h"

namespace {

using namespace trovex;

class ColumnForm : public ui::Form {
 public:
  ColumnForm() : Extend(this, "拡大"), Options(this, State) {
    SetCaption("オプション");
    SetClientSize(310, 300);
    Extend.SetBounds(4, 3, 66, 26);
    Extend.SetGroupIndex(1);
    Extend.SetAllowAllUp(true);
    Options.SetBounds(4, 34, 300, 260);
    Options.SetAnchors(ui::akLeft | ui::akTop | ui::akBottom);
    Options.SetExtendButton(&Extend);
  }
  ui::SpeedButton Extend;
  results::ProgramState State;
  shell::OptionPanel Options;
};

// A Shift-JIS text of a few lines in the temporary folder, for the binary view.
std::string WriteSampleText() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::string path = os::Narrow(folder) + "議事録サンプル.txt";
  const std::string text =
      "議事録 2026年12月9日\r\n"
      "出席者：山田、佐藤、鈴木\r\n"
      "1. 検索結果の保存について確認した。\r\n"
      "2. バイナリビューで文字コードを表示する。\r\n"
      "Trovex beta: search every encoding.\r\n"
      "次回は１２月１６日（水）です。\r\n";
  HANDLE file = CreateFileW(os::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

int ShowBinary(bool textMode, const std::string& content = "") {
  viewer::BinaryViewSetup setup;
  setup.filePath = WriteSampleText();
  if (!content.empty()) {
    search::SearchOptions options;
    search::ParseSearchContent(content, options, nullptr, setup.query);
    setup.contentText = content;
  }
  setup.helpHint = "Help|F1 Key";
  static ui::ImageList glyphs;
  app::FillButtonGlyphs(glyphs);
  setup.buttonGlyphs = &glyphs;
  setup.helpGlyph = app::kGlyphHelp;
  setup.saveGlyph = app::kGlyphSavePage;
  auto viewer = ui::MakeForm<viewer::TBinaryDlg>(nullptr, std::move(setup));
  viewer->CheckBox1.SetChecked(textMode);
  viewer->ShowModal();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const std::string which = commandLine != nullptr ? commandLine : "";
  if (which == "conversion") {
    auto dialog = ui::MakeForm<viewer::TInputStrChgDlg>();
    dialog->Edit1.SetText("あいう");
    dialog->CheckBox1.SetChecked(true);
    dialog->ShowModal();
    return 0;
  }
  if (which == "view-options") {
    auto form = ui::MakeForm<ColumnForm>();
    form->Extend.SetDown(true);
    form->Options.SpeedButon1Click(form->Extend);
    form->ShowModal();
    return 0;
  }
  if (which == "input") {
    auto dialog = ui::MakeForm<viewer::TInputDlg>("", nullptr, ui::ComboStyle::DropDownList);
    dialog->SetCaption("履歴名の変更");
    dialog->Label2.SetCaption("新しい名前を選択");
    dialog->SetList({"報告書の検索", "0xE3,0x81,0x82", "議事録 2026年12月"});
    dialog->ComboBox1.SetItemIndex(2);
    dialog->ShowModal();
    return 0;
  }
  if (which == "errorlog") {
    // What a refused power action leaves: the privilege and the shutdown itself.
    std::vector<std::string> log;
    results::AddErrorLogEntry(log, 0, "特権の有効に失敗しました。");
    results::AddErrorLogEntry(log, 0,
                              "他のアプリケーションの要求によりシャットダウンが中止されました。");
    auto dialog = ui::MakeForm<results::TErrorLogDlg>(nullptr, log);
    dialog->ShowModal();
    return 0;
  }
  if (which == "binary") return ShowBinary(false);
  if (which == "binary-text") return ShowBinary(true);
  if (which == "binary-hit") return ShowBinary(false, "バイナリビュー");
  if (which == "exitmode") {
    shell::ChooseExitModeDialog(nullptr, results::ExitMode::PowerOff);
    return 0;
  }
  if (which == "countdown") {
    // Held six seconds in: the bar part filled, the picture still.
    auto countdown = ui::MakeForm<shell::TShutDownMsgDlg>();
    countdown->Timer1.SetInterval(3600 * 1000);
    ui::App().ModalHook = [](ui::Form& form) {
      auto& dialog = static_cast<shell::TShutDownMsgDlg&>(form);
      for (int tick = 0; tick < 6; ++tick) dialog.Timer1Timer(dialog.Timer1);
    };
    countdown->Confirm("Trovex β", "スタンバイ");
    return 0;
  }
  return 2;
}
