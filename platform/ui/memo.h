#pragma once
// Memo: a text box of several lines. Its lines are CP932 strings; in its text each
// line ends with CR LF. Scroll bars, word wrap and whether the selection shows
// without the focus are chosen when the memo is made.
#include <string>
#include <vector>

#include "platform/ui/edit.h"

namespace trovex::ui {

enum class ScrollBars { None, Horizontal, Vertical, Both };

struct MemoStyle {
  ScrollBars scrollBars = ScrollBars::None;
  // Long lines wrap at the right edge (there is then no horizontal scrolling).
  bool wordWrap = true;
  bool hideSelection = true;
};

class Memo : public Edit {
 public:
  explicit Memo(Control* parent, MemoStyle style = {});

  // The lines of the text; a CR LF (or a lone LF or CR) ends a line, and text after
  // the last line end is a line too.
  std::vector<std::string> Lines() const;
  // Sets the text to the lines, each followed by CR LF.
  void SetLines(const std::vector<std::string>& lines);
  // Adds a line at the end of the text and shows it.
  void AddLine(std::string_view line);
  void Clear() { SetText(""); }
  void ScrollToEnd();
  // The first line shown.
  int TopLine() const;
};

}  // namespace trovex::ui
