// The result window's commands: the menus' enabling, sorting, the context menu of
// the list, the edit menu and the snippet options.
#include "platform/os/locale_compare.h"
#include "platform/shell/shell_services.h"
#include "platform/ui/application.h"
#include "platform/ui/list_view_order.h"
#include "results/hit_row_builder.h"
#include "results/hit_sort.h"
#include "results/result_texts.h"
#include "results/row_removal.h"
#include "results/view_dlg.h"

namespace trovex::results {
namespace {

// The images the option items show: the chosen one and the other.
constexpr int kChosenOptionImage = 3;
constexpr int kOtherOptionImage = 2;

}  // namespace

CommandStates TViewDlg::CurrentCommandStates() const {
  ResultWindowStatus status;
  status.producingRows = ProducingRows();
  status.rowCount = rows_.size();
  status.selectedCount = ListView1.SelCount();
  status.modified = Modified;
  return CommandStatesFor(status);
}

void TViewDlg::UpdateMenuStates() {
  const CommandStates s = CurrentCommandStates();
  EditMenu.SetEnabled(s.menusEnabled);
  SearchMenu.SetEnabled(s.menusEnabled);
  OpenHistory1.SetEnabled(s.openHistory && setup_.openHistoryList != nullptr);
  Undo1.SetEnabled(s.undo);
  RenameHistory1.SetEnabled(s.renameHistory && setup_.chooseHistoryName != nullptr);
  Refine1.SetEnabled(s.refine);
  ListSearch1.SetEnabled(s.listSearch);
  BinaryView1.SetEnabled(setup_.openBinaryView != nullptr);

  SelectMismatches1.SetEnabled(s.selectMismatches);
  SelectAll1.SetEnabled(s.selectAll);
  InvertSelection1.SetEnabled(s.invertSelection);
  OptionMenu1.SetEnabled(s.snippetOptions);
  OptionMenu2.SetEnabled(s.snippetOptions);
  OptionMenu1.SetImageIndex(OptionMenu1.Checked() ? kChosenOptionImage : kOtherOptionImage);
  OptionMenu2.SetImageIndex(OptionMenu2.Checked() ? kChosenOptionImage : kOtherOptionImage);
  Delete1.SetEnabled(s.deleteRows);
}

// Without a selected row the context menu has nothing to show.
void TViewDlg::ListView1ContextPopup(ui::Component&, int, int, bool& handled) {
  handled = !CurrentCommandStates().contextItemsVisible;
  if (!handled) UpdateMenuStates();
}

void TViewDlg::ListView1ColumnClick(ui::ListView&, int column) {
  if (searchingRows_ || readingSnippets_) return;  // their walks go by index
  if (column == kColContent && !CompleteSnippets()) return;
  const std::vector<std::size_t> order =
      SortOrder(rows_, column, state_.ResultSortDirections, os::CompareLocaleText);
  if (!order.empty()) ApplyOrder(order);
}

// Puts the rows in `order` (indexes of the old positions); selected rows stay selected.
void TViewDlg::ApplyOrder(const std::vector<std::size_t>& order) {
  ui::ApplyRowOrder(ListView1, rows_, order);
  SnippetRowsChanged();
}

const HitRecord* TViewDlg::FirstSelectedRow() const {
  const std::size_t row = ListView1.FirstSelected();
  return row < rows_.size() ? &rows_[row] : nullptr;
}

void TViewDlg::ListView1SelectItem(ui::ListView&, std::size_t row, bool selected) {
  if (selected && row < rows_.size()) Panel1.SetPanelText(0, rows_[row].path);
}

void TViewDlg::ListView1DblClick(ui::Component& sender) {
  if (FirstSelectedRow()) Open1Click(sender);
}

// Opens with the shell's "open"; without an associated program the shell's
// choice dialog opens instead (the service does that).
void TViewDlg::Open1Click(ui::Component&) {
  if (const HitRecord* row = FirstSelectedRow())
    os_shell::Services().open->Open(Handle(), row->path);
  ListView1.Refresh();
}

void TViewDlg::OpenWith1Click(ui::Component&) {
  if (const HitRecord* row = FirstSelectedRow())
    os_shell::Services().open->OpenWith(Handle(), row->path);
}

// The viewer opens on the page of the row's hit; its "Text" box is carried from
// one viewer to the next.
void TViewDlg::BinaryView1Click(ui::Component&) {
  const HitRecord* row = FirstSelectedRow();
  if (row == nullptr || !setup_.openBinaryView) return;
  BinaryViewRequest request;
  request.path = row->path;
  request.offset = row->mismatched ? -1 : static_cast<std::int64_t>(row->offset);
  request.contentText = ContentText;
  request.snippet = setup_.snippet;
  request.textMode = BinaryViewTextMode;
  request.setContentText = [this](const std::string& content) { ContentText = content; };
  BinaryViewTextMode = setup_.openBinaryView(*this, request);
}

void TViewDlg::OpenFolder1Click(ui::Component&) {
  if (const HitRecord* row = FirstSelectedRow())
    os_shell::Services().open->Open(Handle(), FolderOfPath(row->path));
}

// The selected files on the clipboard as a file list, in list order.
void TViewDlg::Copy1Click(ui::Component&) {
  std::vector<std::string> paths;
  for (std::size_t row : ListView1.SelectedRows()) {
    if (row < rows_.size()) paths.push_back(rows_[row].path);
  }
  if (!paths.empty()) os_shell::Services().clipboard->PutFiles(Handle(), paths);
}

// Removes the selected rows from the list (never a file); the hit list stays as it
// is until a save rebuilds it from the rows.
void TViewDlg::Delete1Click(ui::Component&) {
  if (!CurrentCommandStates().deleteRows) return;
  const std::vector<std::size_t> removed =
      RowsToRemove(rows_, ListView1.SelectedRows(), state_.Progress.hitList.Hits());
  if (removed.empty()) return;
  RemoveRowsAt(rows_, removed);
  SnippetRowsChanged();
  Modified = true;
  ListView1.ClearSelection();
  ListView1.SetRowCount(rows_.size());
  ListView1.Refresh();
  ShowCounter(CounterText(rows_.size(), rows_.size()));
}

void TViewDlg::Properties1Click(ui::Component&) {
  if (const HitRecord* row = FirstSelectedRow())
    os_shell::Services().properties->Show(Handle(), row->path);
}

// 元に戻す: the result as it was loaded or found. A result with a history file is
// loaded from it again; a new result has none, and its hit list still holds every
// line the search found (removing rows leaves it alone), so its rows are built
// again from it instead of appending the lines beyond the remaining rows twice.
void TViewDlg::Undo1Click(ui::Component&) {
  if (!CurrentCommandStates().undo) return;
  if (!state_.OpenHistoryPath.empty()) {
    if (!setup_.openHistory || !setup_.openHistory(state_.OpenHistoryPath, false)) return;
    ShowHistoryName();
  }
  ReloadRows();
}

// 検索履歴を開く: the current result may be saved first; then the history list. Its
// OK has loaded the chosen file, whose rows are then added as a load adds them.
void TViewDlg::OpenHistory1Click(ui::Component&) {
  if (!CurrentCommandStates().openHistory || !setup_.openHistoryList) return;
  SavePrompt();
  if (setup_.openHistoryList(*this)) ShowLoadedHistory();
}

void TViewDlg::ShowLoadedHistory() {
  ShowHistoryName();
  state_.UnsavedNewResult = false;
  ReloadRows();
  ListView1.SetCursor(ui::Cursor::Wait);
}

// The loaded history's name becomes the window's content, and the snippets take
// the text or byte form that name and the file's options give.
void TViewDlg::ShowHistoryName() {
  ContentText = state_.Query.displayText;
  StaticText2.SetText(ContentText);
  StaticText2.SetHint("履歴名|履歴の検索した内容");
  setup_.snippet = ListSearchSnippetInputs(ListSearchOptions(), state_.Query, ContentText,
                                           setup_.snippet.binaryDisplay);
}

// 履歴名の編集: the result takes another of its search contents as its name, and
// its rows are matched against it. An OK with nothing chosen counts as Cancel: a
// result is never renamed to "".
void TViewDlg::RenameHistory1Click(ui::Component&) {
  if (!CurrentCommandStates().renameHistory || !setup_.chooseHistoryName) return;
  const std::optional<std::string> chosen =
      setup_.chooseHistoryName(*this, state_.Query.displayText);
  if (!chosen || chosen->empty() || *chosen == StaticText2.Text()) return;
  StaticText2.SetText(*chosen);
  // The result takes the new name's query; a name that does not parse keeps the
  // old query under the new name.
  if (std::optional<search::SearchQuery> query = ReSearchRows(*chosen))
    state_.Query = std::move(*query);
  state_.Query.displayText = *chosen;
  Modified = true;
  UpdateMenuStates();
}

void TViewDlg::ReloadRows() {
  setup_.live.reset();  // what follows is a load, whatever made the rows first
  LiveSearch = false;
  ListView1.SetRowCount(0);  // before the rows go: the list asks for them
  rows_.clear();
  rowFeeder_.Restart(0);  // rows built ahead were of the old lines
  SnippetRowsChanged();
  TargetCount = 0;
  Modified = false;
  StopRequested = false;
  ColorProgressBar1.SetMax(state_.Progress.hitList.Count());
  ColorProgressBar1.SetPosition(0);
  SpeedButton1.SetVisible(true);
  Timer1.SetEnabled(true);
  UpdateMenuStates();
}

void TViewDlg::SelectAll1Click(ui::Component&) { ListView1.SelectAll(); }

void TViewDlg::InvertSelection1Click(ui::Component&) { ListView1.InvertSelection(); }

void TViewDlg::SelectMismatches1Click(ui::Component&) {
  ListView1.SelectWhere(
      [this](std::size_t row) { return row < rows_.size() && rows_[row].mismatched; });
}

// The chosen way of showing byte-list hits; every snippet is made again.
void TViewDlg::OptionMenuClick(ui::Component& sender) {
  if (!CurrentCommandStates().snippetOptions) return;
  ui::MenuItem& item = static_cast<ui::MenuItem&>(sender);
  if (item.Checked()) return;
  const BinaryDisplay display = &item == &OptionMenu1 ? BinaryDisplay::Hex : BinaryDisplay::Chars;
  OptionMenu1.SetChecked(display == BinaryDisplay::Hex);
  OptionMenu2.SetChecked(display == BinaryDisplay::Chars);
  state_.Settings.ByteListDisplay = display;
  setup_.snippet.binaryDisplay = display;
  RebuildSnippets();
  UpdateMenuStates();
}

void TViewDlg::RebuildSnippets() {
  for (HitRecord& row : rows_) {
    row.content.clear();
    row.contentDue = !row.mismatched;  // a mismatched row has no hit to show
  }
  FillFoundSnippets(0);
  SnippetRowsChanged();
  ListView1.Refresh();
}

}  // namespace trovex::results
