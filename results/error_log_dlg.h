#pragma once
// TErrorLogDlg: the error log viewer ("エラーログ"). Shows the log, lets the user
// edit or clear it once "編集禁止" is unchecked, and on closing a changed text asks
// whether to keep it; the window that opened it takes a kept log (KeptLog). The
// file itself is written at program exit.
#include <optional>
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
  TErrorLogDlg(ui::Form* owner, const std::vector<std::string>& errorLogList);

  static constexpr int kClientWidth = 480;
  static constexpr int kClientHeight = 300;

  ui::Memo Memo1;
  ui::SpeedButton SpeedButton1;  // Clear
  ui::CheckBox CheckBox1;        // 編集禁止
  ui::Button OKBtn;              // 閉じる
  ui::StatusBar Panel2;          // entry count and text size

  // The text was edited or cleared since the viewer showed it.
  bool TextChanged() const { return changed_; }
  // After closing: the log as the user chose to keep it (Yes), or nothing.
  const std::optional<std::vector<std::string>>& KeptLog() const { return keptLog_; }

  void SpeedButton1Click(ui::Component& sender);
  void CheckBox1Click(ui::Component& sender);
  void Memo1Change(ui::Component& sender);

 protected:
  void FormShow() override;
  void FormCloseQuery(bool& canClose) override;

 private:
  void PlaceControls();
  void UpdateStatusLine();

  bool changed_ = false;
  std::optional<std::vector<std::string>> keptLog_;
};

}  // namespace trovex::results
