#pragma once
// TMsgCanselDlg: the small modal dialog that runs the pre-count of a search. Shortly
// after it shows it calls its work function once on the user-interface thread (the
// work keeps the dialog alive by processing messages) and closes when that returns;
// meanwhile its panel names the location being counted. キャンセル (or Escape) raises
// the caller's cancel flag so that the work returns early; the close box does not
// cancel.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/panel.h"
#include "platform/ui/timer.h"

namespace trovex::shell {

class TMsgCanselDlg : public ui::Form {
 public:
  using WorkFunction = std::function<std::uint32_t()>;
  // `cancelFlag` must outlive the dialog; `countingRoot` names what the work is at.
  TMsgCanselDlg(ui::Form* owner, std::atomic<bool>& cancelFlag, WorkFunction work,
                std::function<std::string()> countingRoot);

  ui::Panel Panel1;
  ui::Button CancelBtn;
  ui::Timer Timer1;  // starts the work once
  ui::Timer Timer2;  // names the location every second

  std::uint32_t Count() const { return count_; }
  bool Cancelled() const { return cancelled_; }
  bool WorkDone() const { return workDone_; }

  void Timer1Timer(ui::Component& sender);
  void Timer2Timer(ui::Component& sender);
  void CancelBtnClick(ui::Component& sender);

  // The panel's text for a location: "∴ " or "∵ " (turn by turn, across dialogs),
  // its first three characters and "のドライブを調べています。".
  static std::string NextStatusText(const std::string& root);
  // The prefix alternation starts over with "∴ " (tests).
  static void ResetPrefix();

 protected:
  void FormShow() override;
  void FormCloseQuery(bool& canClose) override;
  void FormClose(ui::CloseAction& action) override;

 private:
  std::atomic<bool>& cancelFlag_;
  WorkFunction work_;
  std::function<std::string()> countingRoot_;
  std::uint32_t count_ = 0;
  bool cancelled_ = false;
  bool workDone_ = false;
  bool working_ = false;
};

}  // namespace trovex::shell
