#include "platform/ui/drive_combo_box.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>

#include "platform/fs/drives.h"
#include "platform/ui/canvas.h"
#include "platform/ui/owner_draw.h"
#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

constexpr int kIconSize = 16;
constexpr int kVisibleItems = 8;

// The index of the drive's small icon in the system image list, which it returns
// through `list`.
int SystemIconOf(const std::string& drive, HIMAGELIST& list) {
  SHFILEINFOW info{};
  const std::wstring root = Widen(drive + "\\");
  const auto found =
      SHGetFileInfoW(root.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  if (found == 0) return -1;
  list = reinterpret_cast<HIMAGELIST>(found);
  return info.iIcon;
}

}  // namespace

DriveComboBox::DriveComboBox(Control* parent) : Control(parent) {
  CreateHandle(
      L"COMBOBOX",
      WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
      0, true, 145, 200);
  SetColor(clWindow);
  Refresh();
}

void DriveComboBox::Refresh() {
  const char chosen = Drive();
  drives_ = fs::LogicalDrives();
  icons_.clear();
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const std::string& drive : drives_) {
    icons_.push_back(SystemIconOf(drive, systemIcons_));
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(drive).c_str()));
  }
  if (chosen != 0) SetDrive(chosen);
}

char DriveComboBox::Drive() const {
  const int index = ItemIndex();
  if (index < 0 || index >= static_cast<int>(drives_.size())) return 0;
  return static_cast<char>(
      std::toupper(static_cast<unsigned char>(drives_[static_cast<std::size_t>(index)][0])));
}

bool DriveComboBox::SetDrive(char letter) {
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  for (std::size_t i = 0; i < drives_.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(drives_[i][0])) == wanted) {
      SendMessageW(hwnd_, CB_SETCURSEL, i, 0);
      return true;
    }
  }
  return false;
}

int DriveComboBox::ItemIndex() const {
  return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
}

bool DriveComboBox::DroppedDown() const {
  return SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void DriveComboBox::SetDroppedDown(bool dropped) {
  SendMessageW(hwnd_, CB_SHOWDROPDOWN, dropped, 0);
}

void DriveComboBox::SetBounds(int left, int top, int width, int /*height*/) {
  // The window's height includes the dropped list; the box's own height is the item's.
  const int item = static_cast<int>(SendMessageW(hwnd_, CB_GETITEMHEIGHT, 0, 0));
  const RECT box = DeviceBounds();
  MoveWindow(hwnd_, Scale(left), Scale(top), Scale(width),
             box.bottom - box.top + item * kVisibleItems + 2, TRUE);
}

void DriveComboBox::FontChanged() {
  // Room for the icon or the text, whichever is taller, in the box and in the list.
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, FontObject());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  const int height = std::max<int>(kIconSize, metrics.tmHeight) + 2;
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, height);
}

void DriveComboBox::CommandNotify(WORD code) {
  switch (code) {
    case CBN_SELCHANGE:
      Click();
      Fire(OnChange);
      break;
    case CBN_DROPDOWN:
      Fire(OnDropDown);
      break;
    case CBN_CLOSEUP:
      Fire(OnCloseUp);
      break;
    case CBN_SETFOCUS:
      Fire(OnEnter);
      break;
    case CBN_KILLFOCUS:
      Fire(OnExit);
      break;
    default:
      break;
  }
}

LRESULT DriveComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Focus changes are reported through CBN_SETFOCUS and CBN_KILLFOCUS.
  if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) return DefaultProc(msg, wParam, lParam);
  return Control::WndProc(msg, wParam, lParam);
}

bool DriveComboBox::DrawItem(DRAWITEMSTRUCT& item) {
  const OwnerDrawState state = OwnerDrawStateOf(item);
  Canvas canvas(item.hDC);
  canvas.SetFont(Font());
  const bool selected = (state & odSelected) != 0;
  canvas.SetBrushColor(selected ? clHighlight : EffectiveColor());
  canvas.FillRect(item.rcItem);
  const int index = static_cast<int>(item.itemID);
  if (index < 0 || index >= static_cast<int>(drives_.size())) return true;
  const RECT& rect = item.rcItem;
  const int icon = icons_[static_cast<std::size_t>(index)];
  if (systemIcons_ != nullptr && icon >= 0) {
    canvas.Draw(rect.left + 2, rect.top + (rect.bottom - rect.top - kIconSize) / 2, systemIcons_,
                icon);
  }
  canvas.SetTransparent(true);
  canvas.SetFontColor(selected ? clHighlightText : Font().color);
  const std::string& text = drives_[static_cast<std::size_t>(index)];
  canvas.TextOut(rect.left + kIconSize + 6,
                 rect.top + (rect.bottom - rect.top - canvas.TextHeight(text)) / 2, text);
  if (state & odFocused) DrawFocusRect(item.hDC, &item.rcItem);
  return true;
}

}  // namespace trovex::ui
