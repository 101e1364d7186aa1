// Shows one window filled as a user would leave it, for a person to look at
// (scripts/tour.sh takes its picture): "conversion" is the text-to-bytes dialog
// with a UTF-8 list, "view-options" the option column extended by "拡大" with
// the view option pages, "input" the one-line input dialog as the rename of a result
// shows it, "errorlog" the error log viewer with two entries.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/speed_button.h"
#include "results/error_log_dlg.h"
#include "results/error_log_entry.h"
#include "shell/option_panel.h"
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
  app::OptionPanel Options;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const std::string which = commandLine != nullptr ? commandLine : "";
  if (which == "conversion") {
    auto dialog = ui::MakeForm<app::TInputStrChgDlg>();
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
    auto dialog = ui::MakeForm<app::TInputDlg>("", nullptr, ui::ComboStyle::DropDownList);
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
  return 2;
}
