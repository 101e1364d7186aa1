#pragma once
// DateTimePicker: a short date with up/down arrows. Its value is a date-time as the
// program keeps them (days since 1899-12-30, the time of day as the fraction); the
// user edits the date only, so the time of day set by the program stays. OnChange
// runs when the user changes the date.
#include "platform/ui/control.h"

namespace trovex::ui {

class DateTimePicker : public Control {
 public:
  explicit DateTimePicker(Control* parent);

  double Value() const;
  // Runs no event; kept to the millisecond.
  void SetValue(double dateTime);

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;
};

}  // namespace trovex::ui
