// The result window's searches within its own rows: 絞込み検索 and リストの検索 of
// the 検索 menu, and the re-search of the rows after 履歴名の編集. They run on this
// thread and process the pending messages before every row, so that the window
// answers and 中止 stops them; meanwhile the window is busy (see ProducingRows).
#include "platform/ui/application.h"
#include "results/list_search.h"
#include "results/result_texts.h"
#include "results/view_dlg.h"
#include "search/parse_search_content.h"

namespace trovex::results {
namespace {

void ShowParseMessage(const std::string& message) { ui::App().ShowMessage(message); }

}  // namespace

void TViewDlg::BeginRowSearch() {
  state_.Progress.cancelRequested = false;
  searchingRows_ = true;
  ListView1.SetPopupMenu(nullptr);
  SpeedButton1.SetVisible(true);
  ColorProgressBar1.SetMax(rows_.size());
  ColorProgressBar1.SetPosition(0);
  ListView1.SetCursor(ui::Cursor::Wait);
  ListView1.BeginUpdate();
  UpdateMenuStates();
}

void TViewDlg::HandleMessagesInWalk() {
  ui::App().ProcessMessages();
  // A close asked for meanwhile waits for the end of the walk: stop it.
  if (ModalResult() != ui::mrNone) state_.Progress.cancelRequested = true;
}

void TViewDlg::EndRowSearch() {
  ColorProgressBar1.SetPosition(0);
  SpeedButton1.SetVisible(false);
  if (ListView1.RowCount() != rows_.size()) ListView1.SetRowCount(rows_.size());
  ListView1.EndUpdate();
  ListView1.SetCursor(ui::Cursor::Default);
  ListView1.SetPopupMenu(&PopupMenu1);
  searchingRows_ = false;
  UpdateMenuStates();
  QueueDueSnippets();  // held back while the walk went on
}

search::SearchOptions TViewDlg::ListSearchOptions() const {
  return OptionsForListSearch(setup_.searchOptions ? setup_.searchOptions()
                                                   : search::SearchOptions{});
}

ListSearchRun TViewDlg::RowSearchRun(const search::SearchOptions& options,
                                     const search::SearchQuery& query,
                                     const SnippetInputs& snippet) {
  ListSearchRun run;
  run.query = &query;
  run.matchOptions = search::MatchOptionsFor(options, query.mode);
  run.snippet = snippet;
  run.cancel = &state_.Progress.cancelRequested;
  run.beforeRow = [this] { HandleMessagesInWalk(); };
  run.afterRow = [this] { ColorProgressBar1.StepIt(); };
  return run;
}

// 絞込み検索 (tag 0) and リストの検索 (tag 1).
void TViewDlg::SearchWithinList(ui::Component& sender) {
  const auto kind = static_cast<ListSearchKind>(sender.Tag);
  const CommandStates commands = CurrentCommandStates();
  if (rows_.empty() || !(kind == ListSearchKind::Refine ? commands.refine : commands.listSearch))
    return;
  std::string text;
  if (!ui::App().InputQuery(ListSearchCaption(kind), kListSearchPrompt, text)) return;

  // The list search has its own query: the result's stays as it is for later
  // snippets, the binary viewer and the save. The window's content comes back
  // afterwards for the same reason.
  const search::SearchOptions options = ListSearchOptions();
  search::SearchQuery query;
  if (!search::ParseSearchContent(text, options, ShowParseMessage, query)) return;
  // A row リストの検索 does not match keeps the snippet it had (a refine drops it).
  if (kind == ListSearchKind::List && !CompleteSnippets()) return;
  const std::string savedContent = ContentText;
  ContentText = text;
  AddSearchContent(state_.SearchContentList, text);

  const std::size_t before = rows_.size();
  const SnippetInputs snippet =
      ListSearchSnippetInputs(options, query, StaticText2.Text(), setup_.snippet.binaryDisplay);
  ListSearchOutcome outcome;
  {
    RowSearchScope busy(*this);
    outcome = SearchWithinRows(rows_, kind, RowSearchRun(options, query, snippet), scanState_);
    if (outcome.removedAny) ListView1.ClearSelection();
  }
  SnippetRowsChanged();
  ContentText = savedContent;
  if (outcome.removedAny) Modified = true;
  ListView1.Refresh();
  if (kind == ListSearchKind::List) {
    if (outcome.topMatch) ListView1.EnsureVisible(*outcome.topMatch);
    ui::App().ShowMessage(FilesFoundMessage(outcome.matched));
  }
  ShowCounter(CounterText(before, rows_.size()));
  UpdateMenuStates();
}

// Every row matched against `content`, which stays the window's content. Returns
// the content's query, which the caller makes the result's; a content that does
// not parse changes no row and returns none.
std::optional<search::SearchQuery> TViewDlg::ReSearchRows(const std::string& content) {
  ContentText = content;
  const search::SearchOptions options = ListSearchOptions();
  search::SearchQuery query;
  if (!search::ParseSearchContent(content, options, ShowParseMessage, query)) return std::nullopt;
  // Every row visited gets its snippet from the re-search itself; reading the due
  // ones first would open each file once more. Rows a stop leaves unvisited and
  // still due are read later with the new content's inputs.
  RowSearchScope busy(*this);
  setup_.snippet = ListSearchSnippetInputs(options, query, content, setup_.snippet.binaryDisplay);
  SearchRowsAgain(rows_, RowSearchRun(options, query, setup_.snippet), scanState_);
  SnippetRowsChanged();
  ListView1.Refresh();
  return query;
}

}  // namespace trovex::results
