#include "platform/ui/list_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/ui/application.h"
#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

DWORD ViewBits(ViewStyle style) {
  switch (style) {
    case ViewStyle::List:
      return LVS_LIST;
    case ViewStyle::Icon:
      return LVS_ICON;
    default:
      return LVS_REPORT;
  }
}

int ColumnFormat(TextAlign align) {
  switch (align) {
    case TextAlign::Right:
      return LVCFMT_RIGHT;
    case TextAlign::Center:
      return LVCFMT_CENTER;
    default:
      return LVCFMT_LEFT;
  }
}

int Clamp(const ListColumn& column, int width) {
  if (column.maxWidth > 0) width = std::min(width, column.maxWidth);
  return std::max(width, column.minWidth);
}

// The header sets its own cursors; while the program is busy it shows the hourglass too.
LRESULT CALLBACK HeaderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR) {
  if (msg == WM_SETCURSOR && App().Busy()) {
    ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return TRUE;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, HeaderProc, id);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

ListView::ListView(Control* parent, ViewStyle style) : Control(parent) {
  // The view never destroys image lists itself (the system's are shared); lists
  // handed over as its own are destroyed by the destructor.
  CreateHandle(WC_LISTVIEWW,
               ViewBits(style) | LVS_OWNERDATA | LVS_SHAREIMAGELISTS | WS_TABSTOP | WS_VISIBLE,
               WS_EX_CLIENTEDGE, true, 121, 97);
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, LVS_EX_DOUBLEBUFFER);
  // Owner data keeps only selection and focus; the dimmed state is asked for.
  SendMessageW(hwnd_, LVM_SETCALLBACKMASK, LVIS_CUT, 0);
  SetColor(clWindow);
  HookHeader();
}

void ListView::HookHeader() {
  // The header may come only with the report view; hooking it again changes nothing.
  if (auto header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0))) {
    SetWindowSubclass(header, HeaderProc, 1, 0);
  }
}

ListView::~ListView() {
  if (hwnd_ != nullptr) {
    SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
  }
  if (ownedSmall_ != nullptr) ImageList_Destroy(ownedSmall_);
  if (ownedLarge_ != nullptr && ownedLarge_ != ownedSmall_) ImageList_Destroy(ownedLarge_);
}

ViewStyle ListView::Style() const {
  switch (GetWindowLongW(hwnd_, GWL_STYLE) & LVS_TYPEMASK) {
    case LVS_LIST:
      return ViewStyle::List;
    case LVS_ICON:
      return ViewStyle::Icon;
    default:
      return ViewStyle::Report;
  }
}

void ListView::SetViewStyle(ViewStyle style) {
  const LONG old = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>((old & ~LVS_TYPEMASK) | ViewBits(style)));
  HookHeader();
  FitFillColumn();
}

void ListView::SetStyleBit(DWORD bit, bool on) {
  const LONG old = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE,
                 on ? (old | static_cast<LONG>(bit)) : (old & ~static_cast<LONG>(bit)));
}

void ListView::SetExStyleBit(DWORD bit, bool on) {
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, bit, on ? bit : 0);
}

void ListView::SetRowSelect(bool rowSelect) { SetExStyleBit(LVS_EX_FULLROWSELECT, rowSelect); }
void ListView::SetMultiSelect(bool multiSelect) { SetStyleBit(LVS_SINGLESEL, !multiSelect); }
void ListView::SetReadOnly(bool readOnly) { SetStyleBit(LVS_EDITLABELS, !readOnly); }
void ListView::SetHideSelection(bool hide) { SetStyleBit(LVS_SHOWSELALWAYS, !hide); }

void ListView::SetListColor(Color color) {
  SetColor(color == clNone ? clWindow : color);
  const LPARAM rgb = static_cast<LPARAM>(ColorToRgb(EffectiveColor()));
  SendMessageW(hwnd_, LVM_SETBKCOLOR, 0, rgb);
  SendMessageW(hwnd_, LVM_SETTEXTBKCOLOR, 0, rgb);
  Invalidate();
}

int ListView::AddColumn(const ListColumn& column) {
  std::wstring caption = Widen(column.caption);
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  info.fmt = ColumnFormat(column.align);
  info.cx = Scale(Clamp(column, column.width));
  info.pszText = caption.data();
  info.iSubItem = ColumnCount();
  const int index =
      static_cast<int>(SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(ColumnCount()),
                                    reinterpret_cast<LPARAM>(&info)));
  if (index < 0) return -1;
  columns_.push_back(column);
  FitFillColumn();
  return index;
}

int ListView::ColumnWidth(int column) const {
  return Unscale(
      static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0)));
}

void ListView::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  const int clamped = Clamp(columns_[static_cast<std::size_t>(column)], width);
  SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
               MAKELPARAM(Scale(clamped), 0));
}

void ListView::DpiChanged(int oldDpi) {
  for (int i = 0; i < ColumnCount(); ++i) {
    const int device =
        static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
    SetColumnWidth(i, ScaleFromDpi(device, oldDpi));
  }
}

void ListView::SetFillColumn(int column) {
  fillColumn_ = column;
  FitFillColumn();
}

void ListView::FitFillColumn() {
  if (fitting_ || fillColumn_ < 0 || fillColumn_ >= ColumnCount() || Style() != ViewStyle::Report)
    return;
  fitting_ = true;
  // In pixels: the other columns' widths rounded to design units could add up to a
  // few pixels more or less than they take, and the list would scroll sideways.
  RECT client{};
  GetClientRect(hwnd_, &client);
  int others = 0;
  for (int i = 0; i < ColumnCount(); ++i) {
    if (i != fillColumn_) {
      others +=
          static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
    }
  }
  const int rest = client.right - others;
  const int design = Unscale(rest);
  const int clamped = Clamp(columns_[static_cast<std::size_t>(fillColumn_)], design);
  SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(fillColumn_),
               MAKELPARAM(clamped == design ? rest : Scale(clamped), 0));
  fitting_ = false;
}

void ListView::HeaderChanged(const NMHEADERW& change) {
  if (change.pitem == nullptr || !(change.pitem->mask & HDI_WIDTH)) return;
  if (change.iItem < 0 || change.iItem >= ColumnCount()) return;
  const ListColumn& column = columns_[static_cast<std::size_t>(change.iItem)];
  // A drag past a column's limits springs back to the limit.
  const int width = Unscale(change.pitem->cxy);
  if (Clamp(column, width) != width) {
    SetColumnWidth(change.iItem, width);
  } else if (change.iItem != fillColumn_) {
    FitFillColumn();
  }
}

void ListView::ReplaceImages(int which, HIMAGELIST images, bool shared, HIMAGELIST& owned) {
  SendMessageW(hwnd_, LVM_SETIMAGELIST, static_cast<WPARAM>(which),
               reinterpret_cast<LPARAM>(images));
  // A list of ours goes unless it is still the other slot's, or is set again.
  HIMAGELIST& other = &owned == &ownedSmall_ ? ownedLarge_ : ownedSmall_;
  if (owned != nullptr && owned != images && owned != other) ImageList_Destroy(owned);
  owned = shared ? nullptr : images;
}

void ListView::SetSmallImages(HIMAGELIST images, bool shared) {
  ReplaceImages(LVSIL_SMALL, images, shared, ownedSmall_);
}

void ListView::SetLargeImages(HIMAGELIST images, bool shared) {
  ReplaceImages(LVSIL_NORMAL, images, shared, ownedLarge_);
}

std::size_t ListView::RowCount() const { return rowCount_; }

void ListView::SetRowCount(std::size_t count) {
  rowCount_ = std::min(count, kMaxRows);
  SendMessageW(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rowCount_),
               LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
}

void ListView::Refresh() {
  // Owner data: repainting what is visible is all a redraw of every row does.
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

void ListView::RefreshRow(std::size_t row) {
  if (row < RowCount()) {
    SendMessageW(hwnd_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
  }
}

void ListView::BeginUpdate() {
  if (updateDepth_++ == 0) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ListView::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0) return;
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  Invalidate();
}

bool ListView::EditCaption(std::size_t row) {
  if (row >= RowCount()) return false;
  SetFocus();
  return SendMessageW(hwnd_, LVM_EDITLABELW, static_cast<WPARAM>(row), 0) != 0;
}

bool ListView::Editing() const { return SendMessageW(hwnd_, LVM_GETEDITCONTROL, 0, 0) != 0; }

bool ListView::DispInfo(NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= RowCount()) return true;
  const auto row = static_cast<std::size_t>(item.iItem);
  if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0) {
    std::wstring& text = texts_[nextText_];
    nextText_ = (nextText_ + 1) % 3;
    text = OnData ? Widen(OnData(row, item.iSubItem)) : std::wstring();
    if (text.size() >= static_cast<std::size_t>(item.cchTextMax)) {
      text.resize(static_cast<std::size_t>(item.cchTextMax) - 1);
    }
    item.pszText = text.data();
  }
  if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = OnImage ? OnImage(row) : -1;
  if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_CUT) && OnCut && OnCut(row)) {
    item.state |= LVIS_CUT;
  }
  return true;
}

LRESULT ListView::CustomDraw(NMLVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
    return (OnRowColor || OnRowTextColor || OnCut) ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
  }
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
  if (row >= RowCount()) return CDRF_DODEFAULT;
  // A selected row keeps the selection's colours where the selection is drawn:
  // while the list has the focus, or always with HideSelection off.
  const bool selectionShown =
      GetFocus() == hwnd_ || (GetWindowLongW(hwnd_, GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
  if (selectionShown && Selected(row)) return CDRF_DODEFAULT;
  const Color back = OnRowColor ? OnRowColor(row) : clNone;
  Color text = OnRowTextColor ? OnRowTextColor(row) : clNone;
  if (text == clNone && OnCut && OnCut(row)) text = clGrayText;
  if (back != clNone) draw.clrTextBk = ColorToRgb(back);
  if (text != clNone) draw.clrText = ColorToRgb(text);
  return CDRF_DODEFAULT;
}

bool ListView::Notify(NMHDR& header, LRESULT& result) {
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      return DispInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
    case NM_CUSTOMDRAW:
      result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
      return true;
    case LVN_COLUMNCLICK:
      if (OnColumnClick) OnColumnClick(*this, reinterpret_cast<NMLISTVIEW&>(header).iSubItem);
      return true;
    case LVN_ITEMCHANGED:
      ItemChanged(reinterpret_cast<NMLISTVIEW&>(header));
      return true;
    case LVN_ODSTATECHANGED: {
      const auto& change = reinterpret_cast<NMLVODSTATECHANGE&>(header);
      if ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) {
        NMLISTVIEW many{};
        many.iItem = -1;
        many.uChanged = LVIF_STATE;
        many.uOldState = change.uOldState;
        many.uNewState = change.uNewState;
        ItemChanged(many);
      }
      return true;
    }
    case LVN_ODFINDITEMW:
      result = FindItem(reinterpret_cast<NMLVFINDITEMW&>(header));
      return true;
    case LVN_BEGINLABELEDITW: {
      const auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
      bool allow = info.item.iItem >= 0;
      if (allow && OnEditing) OnEditing(*this, static_cast<std::size_t>(info.item.iItem), allow);
      result = allow ? FALSE : TRUE;
      return true;
    }
    case LVN_ENDLABELEDITW: {
      const auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
      result = FALSE;
      if (info.item.pszText == nullptr || info.item.iItem < 0) return true;  // cancelled
      const auto row = static_cast<std::size_t>(info.item.iItem);
      std::string text = Narrow(info.item.pszText);
      bool accept = true;
      if (OnEdited) OnEdited(*this, row, text, accept);
      result = accept ? TRUE : FALSE;
      if (accept) RefreshRow(row);
      return true;
    }
    default:
      return false;
  }
}

POINT ListView::KeyboardPopupPoint() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  RECT rect{};
  rect.left = LVIR_LABEL;
  const std::size_t row = ItemFocused();
  if (row != npos &&
      SendMessageW(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&rect)) &&
      PtInRect(&client, POINT{rect.left, rect.bottom - 1})) {
    return POINT{rect.left, rect.bottom};
  }
  return POINT{0, 0};
}

LRESULT ListView::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CONTEXTMENU:
      // A right click on the column headers is not a request for the rows' menu.
      if (reinterpret_cast<HWND>(wParam) ==
          reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0))) {
        return DefaultProc(msg, wParam, lParam);
      }
      break;
    case WM_SIZE: {
      const LRESULT result = Control::WndProc(msg, wParam, lParam);
      FitFillColumn();
      return result;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      const auto headerWindow = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
      if (header->hwndFrom == headerWindow &&
          (header->code == HDN_ITEMCHANGEDW || header->code == HDN_ITEMCHANGEDA)) {
        // The width comes first in both forms of the item.
        const LRESULT result = Control::WndProc(msg, wParam, lParam);
        HeaderChanged(*reinterpret_cast<const NMHEADERW*>(lParam));
        return result;
      }
      break;
    }
    default:
      break;
  }
  return Control::WndProc(msg, wParam, lParam);
}

}  // namespace trovex::ui
