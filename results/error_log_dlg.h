#pragma once
// TErrorLogDlg: the error log viewer ("エラーログ"). Shows the log, lets the user
// edit or clear it once "編集禁止" is unchecked, and on closing a changed text asks
// whether the log takes it. The file itself is written at program exit.
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/memo.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"

namespace trovex::results {

class TErrorLogDlg : public ui::Form {
 public:
  // `errorLogList`: the main window's log, replaced only when the user keeps a change.
  TErrorLogDlg(ui::Form* owner, std::vector<std::string>& errorLogList);

  static constexpr int kClientWidth = 480;
  static constexpr int kClientHeight = 300;

  ui::Memo Memo1;
  ui::SpeedButton SpeedButton1;  // Clear
  ui::CheckBox CheckBox1;        // 編集禁止
  ui::Button OKBtn;              // 閉じる
  ui::StatusBar Panel2;          // entry count and text size

  // The text was edited or cleared since the viewer showed it.
  bool TextChanged() const { return changed_; }

  void SpeedButton1Click(ui::Component& sender);
  void CheckBox1Click(ui::Component& sender);
  void Memo1Change(ui::Component& sender);

 protected:
  void FormShow() override;
  void FormCloseQuery(bool& canClose) override;

 private:
  void PlaceControls();
  void UpdateStatusLine();

  std::vector<std::string>& errorLogList_;
  bool changed_ = false;
};

}  // namespace trovex::results
