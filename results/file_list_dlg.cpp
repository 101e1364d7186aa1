#include "results/file_list_dlg.h"

#include <chrono>

#include "platform/os/locale_compare.h"
#include "platform/ui/application.h"
#include "platform/ui/list_view_order.h"
#include "results/colour_scheme.h"

namespace trovex::results {
namespace {

constexpr ui::Color kPlainListColour = RGB(255, 255, 255);
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonRowHeight = 37;

}  // namespace

TFileListDlg::TFileListDlg(ui::Form* owner, HistoryListSetup setup)
    : ui::Form(owner),
      ListView1(this, ui::ViewStyle::Report),
      OKBtn(this, "OK"),
      CancelBtn(this, "キャンセル"),
      Panel2(this),
      openHistory_(std::move(setup.openHistory)) {
  outcome_.files = std::move(setup.files);
  outcome_.sortDirections = setup.sortDirections;
  SetCaption("検索履歴の管理");
  SetBorder(ui::BorderStyle::Sizeable, ui::biSystemMenu | ui::biMaximize);
  SetPosition(ui::FormPosition::OwnerFormCenter);
  SetClientSize(kClientWidth, kClientHeight);
  SetMinSize(kClientWidth / 2, kClientHeight / 2);
  BuildControls();

  hint_.Install(this,
                [this](const std::string& longHint) { Panel2.SetPanelText(0, " " + longHint); });
  // Without the rich colours the list is plain white (its tint would dither).
  if (!UsesRichColours(setup.colorDepth)) ListView1.SetListColor(kPlainListColour);
  // Every file is read for its name and count: many files take a while, so the
  // rows come in batches once the dialog shows.
  reader_ = std::make_unique<HistoryListReader>(setup.userDataDir);
  ListView1.SetCursor(ui::Cursor::Wait);
  FillTimer.SetEnabled(false);
  FillTimer.SetInterval(10);
  FillTimer.OnTimer = [this](ui::Component&) { FillSome(); };
  FormResize();
}

void TFileListDlg::BuildControls() {
  Panel2.SetPanels({ui::StatusPanel{-1, false, ""}});
  const int listHeight = kClientHeight - kButtonRowHeight - Panel2.Height();
  ListView1.SetBounds(0, 0, kClientWidth, listHeight);
  ListView1.SetAnchors(ui::akLeft | ui::akTop | ui::akRight | ui::akBottom);
  ListView1.SetRowSelect(true);
  ListView1.SetMultiSelect(true);
  ListView1.SetReadOnly(false);
  ListView1.SetHideSelection(false);
  ListView1.AddColumn({"ファイル名", 130, ui::TextAlign::Left, 30, 0});
  ListView1.AddColumn({"検索内容", 50, ui::TextAlign::Left, 50, 0});
  ListView1.AddColumn({"ファイル数", 70, ui::TextAlign::Right, 30, 0});
  ListView1.AddColumn({"日付", 150, ui::TextAlign::Left, 30, 0});
  ListView1.SetFillColumn(kListColHistoryName);
  ListView1.SetPopupMenu(&PopupMenu1);
  ListView1.OnData = [this](std::size_t row, int column) { return CellText(row, column); };
  ListView1.OnRowColor = [](std::size_t row) { return row % 2 == 1 ? kRichTint : ui::clNone; };
  ListView1.OnColumnClick = ui::Bind(this, &TFileListDlg::ListView1ColumnClick);
  ListView1.OnMouseDown = ui::Bind(this, &TFileListDlg::ListView1MouseDown);
  ListView1.OnEditing = ui::Bind(this, &TFileListDlg::ListView1Editing);
  ListView1.OnEdited = ui::Bind(this, &TFileListDlg::ListView1Edited);

  const int buttonTop = listHeight + (kButtonRowHeight - kButtonHeight) / 2;
  OKBtn.SetBounds(0, buttonTop, kButtonWidth, kButtonHeight);
  CancelBtn.SetBounds(0, buttonTop, kButtonWidth, kButtonHeight);
  OKBtn.SetAnchors(ui::akLeft | ui::akBottom);
  CancelBtn.SetAnchors(ui::akLeft | ui::akBottom);
  OKBtn.SetHint("開く|選択した履歴を開く");
  OKBtn.SetDefault(true);
  OKBtn.OnClick = ui::Bind(this, &TFileListDlg::OKBtnClick);
  CancelBtn.SetCancel(true);
  CancelBtn.SetModalResult(ui::mrCancel);

  PopupMenu1.Add(Edit1);
  PopupMenu1.Add(N1);
  PopupMenu1.Add(Delete1);
  Edit1.SetHint("ファイル名");
  Delete1.SetHint("選択した検索履歴を削除する");
  Edit1.OnClick = ui::Bind(this, &TFileListDlg::Edit1Click);
  Delete1.OnClick = ui::Bind(this, &TFileListDlg::Delete1Click);
}

void TFileListDlg::FormShow() {
  if (!reader_) return;
  FillTimer.SetEnabled(true);
  fillStep_.Post(Handle());
}

void TFileListDlg::FillSome() {
  if (!reader_ || fillPaused_) return;
  const auto start = std::chrono::steady_clock::now();
  const auto budget = std::chrono::milliseconds(kFillMilliseconds);
  bool more = true;
  for (HistoryListRow row; (more = reader_->Next(row));) {
    rows_.push_back(std::move(row));
    if (std::chrono::steady_clock::now() - start >= budget) break;
  }
  if (ListView1.RowCount() != rows_.size()) ListView1.SetRowCount(rows_.size());
  if (!more) {
    reader_.reset();
    FillTimer.SetEnabled(false);
    ListView1.SetCursor(ui::Cursor::Default);
    return;
  }
  // The rows read so far show first; then the next batch follows at once unless
  // the user's input waits (the timer's tick takes it on after that).
  UpdateWindow(ListView1.Handle());
  fillStep_.Follow(Handle());
}

LRESULT TFileListDlg::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (fillStep_.Arrived(msg)) {
    FillSome();
    return 0;
  }
  return ui::Form::WndProc(msg, wParam, lParam);
}

std::string TFileListDlg::CellText(std::size_t row, int column) const {
  if (row >= rows_.size()) return std::string();
  const HistoryListRow& r = rows_[row];
  switch (column) {
    case kListColFileName:
      return r.caption;
    case kListColHistoryName:
      return r.historyName;
    case kListColHitCount:
      return r.hitCountText;
    case kListColDate:
      return r.dateText;
    default:
      return std::string();
  }
}

void TFileListDlg::FormResize() {
  OKBtn.SetLeft(Width() / 2 - OKBtn.Width() - kButtonGap);
  CancelBtn.SetLeft(Width() / 2 + kButtonGap);
}

// The status line of the window below shows the hints again.
void TFileListDlg::FormClose(ui::CloseAction&) { hint_.Restore(); }

void TFileListDlg::FormDestroy() { hint_.Restore(); }

// OK loads the chosen file; without a row chosen, or when the file could not be
// loaded, nothing was opened and the dialog ends as Cancel would.
void TFileListDlg::OKBtnClick(ui::Component&) {
  const std::size_t row = ListView1.FirstSelected();
  const bool loaded = row < rows_.size() && openHistory_ && openHistory_(rows_[row].path, false);
  outcome_.opened = loaded;
  SetModalResult(loaded ? ui::mrOk : ui::mrCancel);
}

void TFileListDlg::ListView1ColumnClick(ui::ListView&, int column) {
  const std::vector<std::size_t> order =
      HistoryListSortOrder(rows_, column, outcome_.sortDirections, os::CompareLocaleText);
  if (order.empty()) return;
  ui::ApplyRowOrder(ListView1, rows_, order);
}

}  // namespace trovex::results
