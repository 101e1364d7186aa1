#pragma once
// DriveComboBox: a drop-down list of the logical drives ("C:", "D:", ...), each with
// the system's small icon of the drive. OnChange and OnClick run when the user picks
// a drive; SetDrive from the program runs neither.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace trovex::ui {

class DriveComboBox : public Control {
 public:
  explicit DriveComboBox(Control* parent);

  // Reads the drives again, keeping the chosen one when it is still there.
  void Refresh();
  const std::vector<std::string>& Drives() const { return drives_; }
  // The letter of the chosen drive (upper case), or 0 when none is.
  char Drive() const;
  // Chooses the drive of that letter (either case); false when there is none.
  bool SetDrive(char letter);
  int ItemIndex() const;
  bool DroppedDown() const;
  void SetDroppedDown(bool dropped);

  void SetBounds(int left, int top, int width, int height) override;

  NotifyEvent OnDropDown, OnCloseUp;

 protected:
  void CommandNotify(WORD code) override;
  bool DrawItem(DRAWITEMSTRUCT& item) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void FontChanged() override;

 private:
  std::vector<std::string> drives_;
  std::vector<int> icons_;
  HIMAGELIST systemIcons_ = nullptr;
};

}  // namespace trovex::ui
