#include "platform/ui/status_bar.h"

#include <commctrl.h>

#include "platform/ui/wide.h"

namespace trovex::ui {

StatusBar::StatusBar(Control* parent) : Control(parent) {
  CreateHandle(STATUSCLASSNAMEW, WS_VISIBLE | CCS_BOTTOM, 0, true, 0, 0);
  SetPanels({StatusPanel{-1, false, ""}});
}

void StatusBar::SetPanels(const std::vector<StatusPanel>& panels) {
  panels_ = panels;
  std::vector<int> edges;
  int right = 0;
  for (const StatusPanel& panel : panels_) {
    right = panel.width < 0 ? -1 : right + Scale(panel.width);
    edges.push_back(right);
    if (right < 0) break;
  }
  SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < PanelCount(); ++i) ApplyPanel(i);
}

const std::string& StatusBar::PanelText(int index) const {
  return panels_.at(static_cast<std::size_t>(index)).text;
}

void StatusBar::SetPanelText(int index, std::string_view text) {
  panels_.at(static_cast<std::size_t>(index)).text = std::string(text);
  ApplyPanel(index);
}

void StatusBar::ApplyPanel(int index) {
  const StatusPanel& panel = panels_[static_cast<std::size_t>(index)];
  if (panel.ownerDraw) {
    SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(index) | SBT_OWNERDRAW,
                 static_cast<LPARAM>(index));
    // The bar repaints an owner-drawn panel only when asked to.
    RECT rect{};
    if (SendMessageW(hwnd_, SB_GETRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&rect))) {
      InvalidateRect(hwnd_, &rect, TRUE);
    }
  } else {
    SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(Widen(panel.text).c_str()));
  }
}

void StatusBar::SetBarColor(Color color) {
  SetColor(color);
  SendMessageW(hwnd_, SB_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRgb(color)));
}

bool StatusBar::DrawItem(DRAWITEMSTRUCT& item) {
  const int index = static_cast<int>(item.itemID);
  if (index < 0 || index >= PanelCount()) return false;
  Canvas canvas(item.hDC);
  canvas.SetFont(Font());
  canvas.SetBrushColor(EffectiveColor());
  if (OnDrawPanel) {
    OnDrawPanel(*this, index, canvas, item.rcItem);
  } else {
    canvas.FillRect(item.rcItem);
    canvas.SetTransparent(true);
    canvas.TextOut(item.rcItem.left + Scale(2), item.rcItem.top + Scale(1), PanelText(index));
  }
  return true;
}

void StatusBar::ParentResized() { SendMessageW(hwnd_, WM_SIZE, 0, 0); }

void StatusBar::DpiChanged(int /*oldDpi*/) {
  // The panels' widths are design units: the edges again at the new DPI.
  SetPanels(std::vector<StatusPanel>(panels_));
}

}  // namespace trovex::ui
