#pragma once
// StatusBar: panels along the bottom of the parent. An owner-drawn panel is painted
// by OnDrawPanel with the panel's text.
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/canvas.h"
#include "platform/ui/control.h"

namespace trovex::ui {

struct StatusPanel {
  int width = 50;  // -1: up to the right end
  bool ownerDraw = false;
  std::string text;
};

class StatusBar : public Control {
 public:
  explicit StatusBar(Control* parent);

  void SetPanels(const std::vector<StatusPanel>& panels);
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  const std::string& PanelText(int index) const;
  void SetPanelText(int index, std::string_view text);
  // The bar's background where the panels do not paint it.
  void SetBarColor(Color color);

  std::function<void(StatusBar& bar, int panel, Canvas& canvas, const RECT& rect)> OnDrawPanel;

 protected:
  bool DrawItem(DRAWITEMSTRUCT& item) override;
  void ParentResized() override;
  void DpiChanged(int oldDpi) override;

 private:
  void ApplyPanel(int index);
  std::vector<StatusPanel> panels_;
};

}  // namespace trovex::ui
