// ListView over the window's own rows: what the control shows and answers is read
// back through its messages, as a user or another program would see it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/list_view.h"
#include "platform/ui/wide.h"

namespace trovex::ui {
namespace {

struct Row {
  std::string name;
  std::string size;
};

class ListForm : public Form {
 public:
  ListForm() : ListView1(this) {
    SetClientSize(420, 300);
    ListView1.SetBounds(0, 0, 400, 280);
    ListView1.AddColumn({"ファイル名", 150});
    ListView1.AddColumn({"サイズ", 60, TextAlign::Right});
    ListView1.OnData = [this](std::size_t row, int column) {
      return column == 0 ? rows.at(row).name : rows.at(row).size;
    };
  }
  void SetRows(std::vector<Row> newRows) {
    rows = std::move(newRows);
    ListView1.SetRowCount(rows.size());
    ListView1.Refresh();
  }

  std::vector<Row> rows;
  ListView ListView1;
};

LRESULT Send(HWND window, UINT msg, WPARAM wParam, const void* lParam) {
  return SendMessageW(window, msg, wParam, reinterpret_cast<LPARAM>(lParam));
}

std::wstring ItemTextWide(HWND list, int row, int column, int buffer = 260) {
  std::wstring text(static_cast<std::size_t>(buffer), L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = buffer;
  text.resize(
      static_cast<std::size_t>(Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), &item)));
  return text;
}

std::string ItemText(const ListView& list, int row, int column = 0) {
  return Narrow(ItemTextWide(list.Handle(), row, column));
}

HWND HeaderOf(const ListView& list) {
  return reinterpret_cast<HWND>(SendMessageW(list.Handle(), LVM_GETHEADER, 0, 0));
}

RECT RowRect(const ListView& list, std::size_t row, int part) {
  RECT rect{};
  rect.left = part;
  EXPECT_TRUE(Send(list.Handle(), LVM_GETITEMRECT, row, &rect));
  return rect;
}

TEST(UiListView, OwnerDataRowsReadBackFromTheWindowsRows) {
  ListForm form;
  form.SetRows({{"検索結果.txt", "2KB"}, {"ｶﾅ表示.doc", "1023B"}, {"readme", ""}});
  const HWND list = form.ListView1.Handle();
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(ItemTextWide(list, 0, 0), L"検索結果.txt");
  EXPECT_EQ(ItemText(form.ListView1, 1, 0), "ｶﾅ表示.doc");
  EXPECT_EQ(ItemText(form.ListView1, 1, 1), "1023B");
  EXPECT_EQ(ItemText(form.ListView1, 2, 1), "");
  form.rows[0].name = "更新後.txt";  // nothing is cached
  EXPECT_EQ(ItemText(form.ListView1, 0), "更新後.txt");
  form.rows[2].name = std::string(400, 'x');  // longer than the reader's buffer: cut to it
  EXPECT_EQ(ItemTextWide(list, 2, 0, 16), std::wstring(15, L'x'));

  form.ListView1.OnImage = [](std::size_t row) { return row == 0 ? 7 : -1; };
  for (int row = 0; row < 2; ++row) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ASSERT_TRUE(Send(list, LVM_GETITEMW, 0, &item));
    EXPECT_EQ(item.iImage, row == 0 ? 7 : -1);
  }
}

TEST(UiListView, RowCountsBeyondIntMaxClampWithoutWrapping) {
  ListForm form;
  form.ListView1.OnData = [](std::size_t row, int) { return std::to_string(row); };
  form.ListView1.SetRowCount((std::size_t{1} << 32) + 5);  // would be 5 as a 32-bit count
  EXPECT_EQ(form.ListView1.RowCount(), std::size_t{INT_MAX});
  EXPECT_EQ(SendMessageW(form.ListView1.Handle(), LVM_GETITEMCOUNT, 0, 0), INT_MAX);
  EXPECT_EQ(ItemText(form.ListView1, INT_MAX - 1), "2147483646");
  form.ListView1.SetRowCount(3);
  EXPECT_EQ(form.ListView1.RowCount(), 3u);
}

TEST(UiListView, RowsAddedInABatchRepaintOnceAndKeepTheScrollPosition) {
  ListForm form;
  form.Show();
  ListView& list = form.ListView1;
  int painted = 0;
  list.OnRowColor = [&painted](std::size_t) { return ++painted, clNone; };
  std::vector<Row> rows;
  for (int i = 0; i < 100; ++i) rows.push_back({"行" + std::to_string(i), ""});
  form.SetRows(rows);
  list.SetItemFocused(0);  // the user clicked the first row, then scrolled down
  list.EnsureVisible(60);
  const std::size_t top = list.TopItem();
  ASSERT_GT(top, 0u);
  list.BeginUpdate();
  list.BeginUpdate();
  for (int i = 100; i < 300; ++i) {
    form.rows.push_back({"行" + std::to_string(i), ""});
    list.SetRowCount(form.rows.size());
  }
  list.EndUpdate();
  painted = 0;
  list.Repaint();
  EXPECT_EQ(painted, 0);  // still inside the outer pair
  list.EndUpdate();
  list.Repaint();
  EXPECT_GT(painted, 0);
  EXPECT_EQ(list.TopItem(), top);
  EXPECT_EQ(ItemText(list, 299), "行299");
}

TEST(UiListView, HeaderClickReachesTheHandlerWhichSortsItsOwnRows) {
  ListForm form;
  form.Show();
  form.SetRows({{"b", "2KB"}, {"c", "999B"}, {"a", "1MB"}});
  std::vector<int> clicks;
  form.ListView1.OnColumnClick = [&](ListView& sender, int column) {
    clicks.push_back(column);
    std::sort(form.rows.begin(), form.rows.end(),
              [](const Row& x, const Row& y) { return x.name < y.name; });
    sender.Refresh();
  };
  const HWND header = HeaderOf(form.ListView1);
  for (int column : {1, 0}) {
    RECT rect{};
    ASSERT_TRUE(Send(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), &rect));
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(header, WM_LBUTTONUP, 0, point);
  }
  EXPECT_EQ(clicks, (std::vector<int>{1, 0}));
  EXPECT_EQ(ItemText(form.ListView1, 0), "a");
  EXPECT_EQ(ItemText(form.ListView1, 2, 1), "999B");
}

TEST(UiListView, SelectionCommandsAndTheirEvents) {
  ListForm form;
  form.SetRows(std::vector<Row>(6));
  ListView& list = form.ListView1;
  std::vector<std::pair<std::size_t, bool>> selects;
  int changes = 0;
  list.OnSelectItem = [&](ListView&, std::size_t row, bool selected) {
    selects.emplace_back(row, selected);
  };
  list.OnChange = [&](Component&) { ++changes; };
  list.SetSelected(4, true);
  list.SetSelected(1, true);
  list.SetSelected(600, true);
  EXPECT_EQ(list.SelectedRows(),
            (std::vector<std::size_t>{1, 4}));  // ascending, not in order of selection
  EXPECT_EQ(list.SelCount(), 2u);
  EXPECT_EQ(list.FirstSelected(), 1u);
  EXPECT_TRUE(list.Selected(4));
  EXPECT_FALSE(list.Selected(3));
  list.SetSelected(4, false);
  EXPECT_EQ(selects, (std::vector<std::pair<std::size_t, bool>>{{4, true}, {1, true}, {4, false}}));
  EXPECT_EQ(changes, 3);

  // Commands over many rows report one change each and no single rows.
  selects.clear();
  list.InvertSelection();
  EXPECT_EQ(list.SelectedRows(), (std::vector<std::size_t>{0, 2, 3, 4, 5}));
  list.SelectWhere([](std::size_t row) { return row % 3 == 1; });
  EXPECT_EQ(list.SelectedRows(), (std::vector<std::size_t>{1, 4}));
  list.SelectAll();
  EXPECT_EQ(list.SelCount(), 6u);
  list.InvertSelection();
  EXPECT_EQ(list.FirstSelected(), ListView::npos);
  EXPECT_EQ(changes, 7);
  list.ClearSelection();  // nothing was selected: no change
  EXPECT_EQ(changes, 7);
  EXPECT_TRUE(selects.empty());

  list.SetItemFocused(3);
  EXPECT_EQ(list.ItemFocused(), 3u);
  EXPECT_EQ(list.SelCount(), 0u);  // focus is not selection
  list.SetItemFocused(ListView::npos);
  EXPECT_EQ(list.ItemFocused(), ListView::npos);
}

TEST(UiListView, FindCaptionIgnoresLetterCaseAsTheLocaleLowersIt) {
  ListForm form;
  form.SetRows({{"ヂ", ""},
                {"ア", ""},
                {"README.txt", ""},
                {"ＡＢＣ表示", ""},
                {"abc表示", ""},
                {"ΩΣ", ""},
                {"readme.txt", ""}});
  ListView& list = form.ListView1;
  EXPECT_EQ(list.FindCaption("readme.TXT"), 2u);
  EXPECT_EQ(list.FindCaption("readme.TXT", 3), 6u);
  EXPECT_EQ(list.FindCaption("ａｂｃ表示"), 3u);  // full-width letters have cases too
  EXPECT_EQ(list.FindCaption("ABC表示"), 4u);     // and stay apart from half-width ones
  EXPECT_EQ(list.FindCaption("ωσ"), 5u);
  // ア is 83 41: its trail byte is no letter A, so it does not turn into ヂ (83 61).
  EXPECT_EQ(list.FindCaption("ア"), 1u);
  EXPECT_EQ(list.FindCaption("表示"), ListView::npos);  // the whole caption, not a part
  EXPECT_EQ(list.FindCaption("README.txt", 7), ListView::npos);

  // Typing the start of a caption: the control asks the view.
  LVFINDINFOW find{};
  find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
  find.psz = L"ｒｅａｄ";
  EXPECT_EQ(Send(list.Handle(), LVM_FINDITEMW, static_cast<WPARAM>(-1), &find), -1);
  find.psz = L"ReAd";
  EXPECT_EQ(Send(list.Handle(), LVM_FINDITEMW, 3, &find), 6);
  EXPECT_EQ(Send(list.Handle(), LVM_FINDITEMW, 7, &find), 2);  // wraps
  find.flags = LVFI_STRING | LVFI_PARTIAL;
  EXPECT_EQ(Send(list.Handle(), LVM_FINDITEMW, 7, &find), -1);
  find.flags = LVFI_STRING;
  EXPECT_EQ(Send(list.Handle(), LVM_FINDITEMW, static_cast<WPARAM>(-1), &find), -1);
}

TEST(UiListView, InPlaceEditCanBeVetoedAndHandsOverTheNewText) {
  ListForm form;
  form.SetRows({{"固定", ""}, {"旧い名前", ""}, {"残す", ""}});
  ListView& list = form.ListView1;
  list.SetReadOnly(false);
  std::vector<std::size_t> asked;
  std::vector<std::pair<std::size_t, std::string>> edited;
  list.OnEditing = [&](ListView&, std::size_t row, bool& allow) {
    asked.push_back(row);
    allow = row != 0;
  };
  list.OnEdited = [&](ListView&, std::size_t row, std::string& text, bool&) {
    edited.emplace_back(row, text);
    form.rows[row].name = text;
  };
  form.Show();
  EXPECT_FALSE(list.EditCaption(0));
  EXPECT_FALSE(list.Editing());

  auto type = [&](std::size_t row, const wchar_t* text, WPARAM endKey) {
    ASSERT_TRUE(list.EditCaption(row));
    HWND edit = reinterpret_cast<HWND>(SendMessageW(list.Handle(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    wchar_t shown[64] = {};
    GetWindowTextW(edit, shown, 64);
    EXPECT_EQ(Narrow(shown), form.rows[row].name);
    SetWindowTextW(edit, text);
    SendMessageW(edit, WM_KEYDOWN, endKey, 0);
    EXPECT_FALSE(list.Editing());
  };
  type(1, L"新しい名前", VK_RETURN);
  type(2, L"捨てる", VK_ESCAPE);  // cancelled: nothing handed over
  EXPECT_EQ(edited, (std::vector<std::pair<std::size_t, std::string>>{{1, "新しい名前"}}));
  EXPECT_EQ(ItemText(list, 1), "新しい名前");
  EXPECT_EQ(ItemText(list, 2), "残す");
  EXPECT_EQ(asked, (std::vector<std::size_t>{0, 1, 2}));
}

constexpr Color kOddRow = 0xFBF3F0;  // RGB(240,243,251)
constexpr Color kMismatch = 0xE3E3E3;

// Sends the list's custom-draw notification through its parent, as the control does.
LRESULT CustomDraw(ListView& list, DWORD stage, std::size_t row, NMLVCUSTOMDRAW& draw) {
  draw = NMLVCUSTOMDRAW{};
  draw.nmcd.hdr =
      NMHDR{list.Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(list.Handle())), NM_CUSTOMDRAW};
  draw.nmcd.dwDrawStage = stage;
  draw.nmcd.dwItemSpec = row;
  draw.clrText = 0x010203;
  draw.clrTextBk = 0x040506;
  return Send(GetParent(list.Handle()), WM_NOTIFY, draw.nmcd.hdr.idFrom, &draw);
}

TEST(UiListView, CustomDrawAsksTheRowColoursAndTheCutState) {
  ListForm form;
  form.SetRows({{"0", ""}, {"1", "-1"}, {"2", ""}, {"3", ""}});
  ListView& list = form.ListView1;
  NMLVCUSTOMDRAW draw{};
  EXPECT_EQ(CustomDraw(list, CDDS_PREPAINT, 0, draw),
            CDRF_DODEFAULT);  // no colours: no work per row

  std::vector<std::size_t> asked;
  list.OnRowColor = [&](std::size_t row) {
    asked.push_back(row);
    if (form.rows[row].size == "-1") return kMismatch;
    return row % 2 == 1 ? kOddRow : clNone;
  };
  list.OnCut = [](std::size_t row) { return row == 2; };
  EXPECT_EQ(CustomDraw(list, CDDS_PREPAINT, 0, draw), CDRF_NOTIFYITEMDRAW);
  CustomDraw(list, CDDS_ITEMPREPAINT, 3, draw);
  EXPECT_EQ(draw.clrTextBk, kOddRow);
  EXPECT_EQ(draw.clrText, 0x010203u);
  CustomDraw(list, CDDS_ITEMPREPAINT, 1, draw);
  EXPECT_EQ(draw.clrTextBk, kMismatch);
  CustomDraw(list, CDDS_ITEMPREPAINT, 0, draw);
  EXPECT_EQ(draw.clrTextBk, 0x040506u);  // clNone leaves the default
  CustomDraw(list, CDDS_ITEMPREPAINT, 2, draw);
  EXPECT_EQ(draw.clrText, ColorToRgb(clGrayText));  // dimmed
  EXPECT_EQ(asked, (std::vector<std::size_t>{3, 1, 0, 2}));
  list.SetSelected(3, true);
  // Without the focus a hidden selection is not drawn: the row keeps its colour.
  CustomDraw(list, CDDS_ITEMPREPAINT, 3, draw);
  EXPECT_EQ(draw.clrTextBk, kOddRow);
  list.SetHideSelection(false);  // drawn always: the selection's colours win
  CustomDraw(list, CDDS_ITEMPREPAINT, 3, draw);
  EXPECT_EQ(draw.clrTextBk, 0x040506u);
  CustomDraw(list, CDDS_ITEMPREPAINT, 40, draw);  // beyond the rows: not asked
  EXPECT_EQ(asked.size(), 5u);                    // row 3 once more while its selection was hidden
  list.OnRowTextColor = [](std::size_t row) { return row == 2 ? clHighlight : clNone; };
  CustomDraw(list, CDDS_ITEMPREPAINT, 2, draw);
  EXPECT_EQ(draw.clrText, ColorToRgb(clHighlight));  // a row's own text colour wins over dimming

  // The control reads the cut state as any other state.
  const HWND handle = list.Handle();
  EXPECT_EQ(SendMessageW(handle, LVM_GETITEMSTATE, 1, LVIS_CUT), 0);
  list.SetSelected(2, true);
  EXPECT_EQ(SendMessageW(handle, LVM_GETITEMSTATE, 2, LVIS_CUT | LVIS_SELECTED),
            LVIS_CUT | LVIS_SELECTED);
}

TEST(UiListView, PaintedRowsTakeTheirBackground) {
  ListForm form;
  form.SetRows(std::vector<Row>(3));
  ListView& list = form.ListView1;
  list.SetRowSelect(true);
  list.OnRowColor = [](std::size_t row) { return row == 1 ? kOddRow : clNone; };
  form.Show();
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, list.ClientWidth(), list.ClientHeight());
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(list.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
               PRF_CLIENT | PRF_ERASEBKGND);
  const int x = 150 + 30;  // inside the (empty) size column
  for (std::size_t row : {1, 2}) {
    const RECT rect = RowRect(list, row, LVIR_BOUNDS);
    EXPECT_EQ(GetPixel(dc, x, (rect.top + rect.bottom) / 2),
              row == 1 ? kOddRow : ColorToRgb(clWindow));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST(UiListView, SharedImageListsOutliveTheView) {
  SHFILEINFOW info{};
  const auto system = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(system, nullptr);
  const int systemCount = ImageList_GetImageCount(system);
  ASSERT_GT(systemCount, 0);
  HIMAGELIST large = ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 2, 2);
  ImageList_AddIcon(large, LoadIconW(nullptr, IDI_APPLICATION));
  {
    ListForm form;
    form.ListView1.SetSmallImages(large, true);
    form.ListView1.SetSmallImages(system, true);  // replacing a shared list leaves it alone
    form.ListView1.SetLargeImages(large, true);
    EXPECT_EQ(SendMessageW(form.ListView1.Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0),
              reinterpret_cast<LRESULT>(system));
    // The form's window goes first: the control itself must leave the lists alone.
    DestroyWindow(form.Handle());
  }
  EXPECT_EQ(ImageList_GetImageCount(system), systemCount);
  EXPECT_EQ(ImageList_GetImageCount(large), 1);
  ImageList_Destroy(large);
}

TEST(UiListView, ViewsColumnsAndTheFillColumn) {
  ListForm form;
  ListView& list = form.ListView1;
  for (ViewStyle style : {ViewStyle::List, ViewStyle::Icon, ViewStyle::Report}) {
    list.SetViewStyle(style);
    EXPECT_EQ(list.Style(), style);
  }
  EXPECT_EQ(GetWindowLongW(list.Handle(), GWL_STYLE) & (LVS_TYPEMASK | LVS_OWNERDATA),
            LVS_REPORT | LVS_OWNERDATA);
  LVCOLUMNW column{};
  column.mask = LVCF_FMT;
  ASSERT_TRUE(Send(list.Handle(), LVM_GETCOLUMNW, 1, &column));
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);

  EXPECT_EQ(list.AddColumn({"種類", 63, TextAlign::Left, 50, 200}), 2);
  list.SetColumnWidth(2, 10);
  EXPECT_EQ(list.ColumnWidth(2), 50);
  HDITEMW item{};  // a drag of the edge, as the header reports it
  item.mask = HDI_WIDTH;
  item.cxy = 500;
  Send(HeaderOf(list), HDM_SETITEMW, 2, &item);
  EXPECT_EQ(list.ColumnWidth(2), 200);

  auto total = [&list] { return list.ColumnWidth(0) + list.ColumnWidth(1) + list.ColumnWidth(2); };
  list.SetFillColumn(1);
  EXPECT_EQ(total(), list.ClientWidth());
  list.SetBounds(0, 0, 500, 280);
  EXPECT_EQ(total(), list.ClientWidth());
  list.SetColumnWidth(0, 100);  // another column changes: the fill column follows
  EXPECT_EQ(list.ColumnWidth(0), 100);
  EXPECT_EQ(total(), list.ClientWidth());
}

TEST(UiListView, ContextMenuDoubleClickAndKeysReachTheirEvents) {
  ListForm form;
  form.SetRows(std::vector<Row>(3));
  ListView& list = form.ListView1;
  form.Show();
  std::vector<std::pair<int, int>> popups;
  list.OnContextPopup = [&](Component&, int x, int y, bool& handled) {
    popups.emplace_back(x, y);
    handled = true;
  };
  SendMessageW(list.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.Handle()),
               MAKELPARAM(210, 120));
  list.SetItemFocused(2);
  SendMessageW(list.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.Handle()),
               MAKELPARAM(-1, -1));
  const RECT rect = RowRect(list, 2, LVIR_LABEL);
  POINT clicked{210, 120};
  ScreenToClient(list.Handle(), &clicked);
  // The keyboard's menu opens below the focused row; both in client coordinates.
  EXPECT_EQ(popups,
            (std::vector<std::pair<int, int>>{{clicked.x, clicked.y}, {rect.left, rect.bottom}}));

  int doubleClicks = 0;
  list.OnDblClick = [&](Component&) { ++doubleClicks; };
  SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 5));
  EXPECT_EQ(doubleClicks, 1);
  std::vector<unsigned> keys;
  list.OnKeyDown = [&](Component&, unsigned& key, ShiftState) { keys.push_back(key); };
  SendMessageW(list.Handle(), WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(keys, (std::vector<unsigned>{VK_DELETE}));
}

TEST(UiListView, BusyApplicationShowsTheHourglassOverListAndHeader) {
  ListForm form;
  form.Show();
  const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  auto cursorOver = [](HWND window) {
    SetCursor(nullptr);
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_NE(cursorOver(form.ListView1.Handle()), wait);
  {
    BusyCursor busy;
    EXPECT_EQ(cursorOver(form.ListView1.Handle()), wait);
    EXPECT_EQ(cursorOver(HeaderOf(form.ListView1)), wait);
    ListView browser(&form, ViewStyle::List);  // gets its header only in the report view
    browser.SetViewStyle(ViewStyle::Report);
    EXPECT_EQ(cursorOver(HeaderOf(browser)), wait);
  }
  EXPECT_NE(cursorOver(form.ListView1.Handle()), wait);
  form.ListView1.SetCursor(Cursor::Wait);  // the list alone, while its rows are loading
  EXPECT_EQ(cursorOver(form.ListView1.Handle()), wait);
}

}  // namespace
}  // namespace trovex::ui
