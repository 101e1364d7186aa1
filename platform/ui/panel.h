#pragma once
// Panel: a container with a bevel and an optional centred caption.
#include "platform/ui/control.h"

namespace trovex::ui {

enum class Bevel { None, Raised, Lowered };

class Panel : public Control {
 public:
  explicit Panel(Control* parent);
  void SetBevelOuter(Bevel bevel);
  void SetBevelInner(Bevel bevel);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  Bevel outer_ = Bevel::Raised;
  Bevel inner_ = Bevel::None;
};

}  // namespace trovex::ui
