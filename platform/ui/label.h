#pragma once
// Label: a line of text on its parent's background, sized to its text unless
// AutoSize is switched off. StaticText: the same with an optional border.
#include "platform/ui/control.h"

namespace trovex::ui {

enum class TextAlign { Left, Center, Right };

class Label : public Control {
 public:
  explicit Label(Control* parent, std::string_view caption = "");
  void SetAutoSize(bool autoSize);
  void SetAlignment(TextAlign align);
  // One line whatever its width, cut at its right edge, and "&" shown as itself:
  // for a text the user typed (after SetAlignment, which it replaces).
  void SetTypedLine();

 protected:
  void CommandNotify(WORD code) override;
  void FontChanged() override;

 private:
  bool autoSize_ = true;
};

enum class StaticBorder { None, Single, Sunken };

class StaticText : public Label {
 public:
  explicit StaticText(Control* parent, std::string_view caption = "");
  void SetBorderStyle(StaticBorder border);
};

}  // namespace trovex::ui
