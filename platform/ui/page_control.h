#pragma once
// PageControl: a row of tabs over a stack of pages (TabSheet); the page of the
// chosen tab shows, the others hide. Choosing a tab, by the user or by setting
// ActivePageIndex, runs OnChange.
#include <vector>

#include "platform/ui/panel.h"

namespace trovex::ui {

class TabSheet;

class PageControl : public Control {
 public:
  explicit PageControl(Control* parent);

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TabSheet& Page(int index) { return *pages_[static_cast<std::size_t>(index)]; }
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;

 private:
  friend class TabSheet;
  void AddPage(TabSheet& page);
  void ShowActivePage();
  std::vector<TabSheet*> pages_;
};

// One page of a PageControl: its caption is the tab's, its controls are its children.
class TabSheet : public Panel {
 public:
  TabSheet(PageControl& pages, std::string_view caption);

 protected:
  void Paint(HDC dc, RECT client) override;  // the tab shows the caption, not the page
};

}  // namespace trovex::ui
