#include "platform/ui/page_control.h"

#include <commctrl.h>

#include "platform/ui/wide.h"

namespace trovex::ui {

PageControl::PageControl(Control* parent) : Control(parent) {
  CreateHandle(WC_TABCONTROLW, WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
               WS_EX_CONTROLPARENT, true, 289, 193);
}

int PageControl::ActivePageIndex() const {
  return static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
}

void PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) return;
  SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowActivePage();
  Fire(OnChange);
}

void PageControl::SetBounds(int left, int top, int width, int height) {
  Control::SetBounds(left, top, width, height);
  ShowActivePage();
}

bool PageControl::Notify(NMHDR& header, LRESULT& result) {
  if (header.code != TCN_SELCHANGE) return false;
  ShowActivePage();
  Fire(OnChange);
  result = 0;
  return true;
}

void PageControl::AddPage(TabSheet& page) {
  const std::wstring caption = Widen(page.Text());
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(caption.c_str());
  SendMessageW(hwnd_, TCM_INSERTITEMW, pages_.size(), reinterpret_cast<LPARAM>(&item));
  pages_.push_back(&page);
  if (ActivePageIndex() < 0) SendMessageW(hwnd_, TCM_SETCURSEL, 0, 0);
  ShowActivePage();
}

void PageControl::ShowActivePage() {
  RECT display{};
  GetClientRect(hwnd_, &display);
  SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  const int active = ActivePageIndex();
  for (int i = 0; i < PageCount(); ++i) {
    TabSheet& page = Page(i);
    page.SetBounds(Unscale(display.left), Unscale(display.top),
                   Unscale(display.right - display.left), Unscale(display.bottom - display.top));
    page.SetVisible(i == active);
  }
}

TabSheet::TabSheet(PageControl& pages, std::string_view caption) : Panel(&pages) {
  SetBevelOuter(Bevel::None);
  SetText(caption);
  pages.AddPage(*this);
}

void TabSheet::Paint(HDC, RECT) {}

}  // namespace trovex::ui
