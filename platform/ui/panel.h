#pragma once
// Panel: a container with a bevel and an optional centred caption.
#include "platform/ui/painted_control.h"

namespace trovex::ui {

enum class Bevel { None, Raised, Lowered };

class Panel : public PaintedControl {
 public:
  explicit Panel(Control* parent);
  void SetBevelOuter(Bevel bevel);

 protected:
  void Paint(HDC dc, RECT rect) override;

 private:
  Bevel outer_ = Bevel::Raised;
};

}  // namespace trovex::ui
