#pragma once
// UpDown: the pair of arrows beside a number box (its buddy Edit), which the arrows
// write their position into without thousands separators. OnClick and OnChange run
// whenever the arrows move the position.
#include "platform/ui/control.h"

namespace trovex::ui {

class Edit;

class UpDown : public Control {
 public:
  explicit UpDown(Control* parent);

  // The box the arrows sit at the right of and write to (null: none).
  void SetAssociate(Edit* buddy);
  Edit* Associate() const { return buddy_; }
  int Min() const;
  int Max() const;
  void SetRange(int min, int max);
  // The position; read back from the buddy's text when there is one.
  int Position() const;
  // Sets the position (kept within the range) and the buddy's text; runs no event.
  void SetPosition(int position);
  // Stepping beyond one end goes on from the other.
  bool Wrap() const;
  void SetWrap(bool wrap);

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;
  void ScrollNotify(WORD code) override;

 private:
  Edit* buddy_ = nullptr;
  // The position before the step the arrows are taking.
  int stepFrom_ = 0;
};

}  // namespace trovex::ui
