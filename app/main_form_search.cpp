// The main window's Start: from the search content to the result window.
#include "app/main_form.h"

#include <chrono>

#include "app/history_list_steps.h"
#include "platform/text/lower_case.h"
#include "results/file_list_dlg.h"
#include "results/history_file.h"
#include "results/list_search.h"
#include "results/view_dlg.h"
#include "search/file_walk.h"
#include "search/parse_search_content.h"
#include "shell/msg_cansel_dlg.h"
#include "shell/power_action.h"
#include "viewer/input_dlg.h"

namespace trovex::app {

SearchInputs TForm1::CurrentSearchInputs() {
  return SearchInputs{Browser.ChosenLocations(), Options.ReadSearchOptions()};
}

void TForm1::SpeedButton3Click(ui::Component&) {
  const SearchInputs inputs = CurrentSearchInputs();
  StartSearch(inputs.locations, inputs.options);
}

bool TForm1::StartSearch(const search::SearchLocations& locations,
                         const search::SearchOptions& options) {
  const auto report = [](const std::string& message) { ui::App().ShowMessage(message); };
  if (!search::ParseSearchContent(options.content, options, report, State.Query)) return false;
  State.SearchContentList = {options.content};
  ChooseExitMode();
  // Start and the frame's timer come back however the run ends.
  struct RunScope {
    TForm1& form;
    explicit RunScope(TForm1& f) : form(f) { form.Timer1.SetEnabled(false); }
    ~RunScope() {
      form.SpeedButton3.SetEnabled(true);
      form.Timer1.SetEnabled(true);
    }
  } scope(*this);
  // The power action follows only a run whose result window was shown.
  if (PrepareAndRun(locations, options) && ExitChkBox.Checked()) FinishUnattendedRun();
  return true;
}

TForm1::MatchingBoxes TForm1::MatchingBoxesNow() const {
  return {Options.BigSmlChkBox.Checked(), Options.FullHalfChkBox.Checked(),
          Options.CheckBox2.Checked(), Options.CheckBox1.Checked(), Options.RegexChkBox.Checked()};
}

void TForm1::SetMatchingBoxes(const MatchingBoxes& boxes) {
  Options.BigSmlChkBox.SetChecked(boxes.caseSensitive);
  Options.FullHalfChkBox.SetChecked(boxes.distinguishWidthAndKana);
  Options.CheckBox2.SetChecked(boxes.skipLineBreaks);
  Options.CheckBox1.SetChecked(boxes.commaIsContent);
  Options.RegexChkBox.SetChecked(boxes.regex);
}

bool TForm1::OpenHistory(const std::string& path, bool clearContents) {
  const std::optional<results::HistoryContent> history = results::LoadHistoryFile(path);
  if (!history) return false;
  State.Progress.hitList.Assign(history->hits);
  State.OpenHistoryPath = path;
  // The four matching options as the result was saved; its own name is parsed
  // with them, never a conversion left in the panel.
  const search::SearchOptions loaded =
      results::OptionsForLoadedHistory(Options.ReadSearchOptions(), history->optionBits);
  SetMatchingBoxes({loaded.caseSensitive, loaded.distinguishWidthAndKana, loaded.skipLineBreaks,
                    loaded.commaIsContent, loaded.regex});
  const auto report = [](const std::string& message) { ui::App().ShowMessage(message); };
  search::ParseSearchContent(history->name, loaded, report, State.Query);
  if (clearContents) State.SearchContentList.clear();
  results::AddSearchContent(State.SearchContentList, history->name);
  return true;
}

bool TForm1::OpenHistoryList(ui::Form& owner) {
  results::HistoryListSetup setup{State.UserDataDir, State.ColorDepth, HistoryFileRefsOf(State),
                                  State.HistoryListDirections,
                                  [this](const std::string& path, bool clearContents) {
                                    return OpenHistory(path, clearContents);
                                  }};
  auto dialog = ui::MakeForm<results::TFileListDlg>(&owner, std::move(setup));
  dialog->ShowModal();
  ApplyHistoryListOutcome(dialog->Outcome(), State);
  return dialog->Outcome().opened;
}

std::optional<std::string> TForm1::ChooseHistoryName(ui::Form& owner, const std::string& current) {
  auto dialog = ui::MakeForm<viewer::TInputDlg>("", &owner, ui::ComboStyle::DropDownList);
  dialog->SetCaption("履歴名の変更");
  dialog->Label2.SetCaption("新しい名前を選択");
  dialog->SetList(State.SearchContentList);
  const std::string lowered = text::AnsiLowerCase(current);
  for (std::size_t i = 0; i < State.SearchContentList.size(); ++i) {
    if (text::AnsiLowerCase(State.SearchContentList[i]) == lowered) {
      dialog->ComboBox1.SetItemIndex(static_cast<int>(i));
      break;
    }
  }
  if (dialog->ShowModal() != ui::mrOk) return std::nullopt;
  return dialog->Value();
}

results::HistorySave TForm1::SaveResultFile() {
  return results::SaveHistory(State.OpenHistoryPath, State.UserDataDir,
                              State.Progress.hitList.Hits(), State.Query.displayText,
                              State.SearchContentList,
                              results::HistoryOptionBits(Options.ReadSearchOptions()));
}

bool TForm1::SaveCurrentResult() { return SaveResultFile().saved; }

bool TForm1::PrepareAndRun(const search::SearchLocations& locations,
                           const search::SearchOptions& options) {
  SpeedButton3.SetEnabled(false);
  search::SearchProgress& progress = State.Progress;
  progress.cancelRequested = false;
  const search::SearchConditions conditions = search::ConditionsFor(options);

  std::uint32_t count = 0;
  bool cancelled = false;
  auto record = std::make_shared<search::WalkRecord>();
  {
    auto dialog = ui::MakeForm<shell::TMsgCanselDlg>(
        this, progress.cancelRequested,
        [&] {
          // The walk offers the pump every entry; handling messages costs a round
          // trip to the window server each time, so they are handled every 10 ms.
          auto lastPump = std::chrono::steady_clock::now();
          return search::CountFiles(
              locations, conditions, progress,
              [&lastPump] {
                const auto now = std::chrono::steady_clock::now();
                if (now - lastPump < std::chrono::milliseconds(10)) return;
                lastPump = now;
                ui::App().ProcessMessages();
              },
              record.get());
        },
        [&] { return progress.countingRoot; });
    dialog->SetCaption("検索ファイルの取得");
    dialog->ShowModal();
    count = dialog->Count();
    cancelled = dialog->Cancelled();
  }
  progress.totalFiles = count;
  progress.filesExamined = 0;

  if (!cancelled) {
    State.OpenHistoryPath.clear();
    progress.hitList.Clear();
    State.UnsavedNewResult = true;
    State.Conditions = conditions;

    results::ResultWindowSetup setup = ResultWindowSetupFor(options);
    setup.contentText = options.content;
    setup.conversionSource = options.conversionSource;
    setup.live =
        results::LiveSearchRun{locations, search::MatchOptionsFor(options, State.Query.mode)};
    if (record->Whole()) setup.live->walkRecord = std::move(record);
    // A history load in the window sets the four matching options from the file;
    // the window's close gives the user's own back.
    ShowResultWindow(std::move(setup), false, MatchingBoxesNow());
  }
  SpeedButton3.SetEnabled(true);
  return !cancelled;
}

results::ResultWindowSetup TForm1::ResultWindowSetupFor(const search::SearchOptions& options) {
  results::ResultWindowSetup setup;
  setup.snippet = results::SnippetInputsFor(options, State.Query, State.Settings.ByteListDisplay);
  setup.menuImages = &ImageList1;
  setup.openHelp = [this](const std::string& anchor) { OpenHelp(anchor); };
  setup.saveHistory = [this] { return SaveCurrentResult(); };
  setup.openHistory = [this](const std::string& path, bool clearContents) {
    return OpenHistory(path, clearContents);
  };
  setup.openHistoryList = [this](ui::Form& owner) { return OpenHistoryList(owner); };
  setup.chooseHistoryName = [this](ui::Form& owner, const std::string& current) {
    return ChooseHistoryName(owner, current);
  };
  setup.searchOptions = [this] { return Options.ReadSearchOptions(); };
  setup.powerOption.checked = [this] { return ExitChkBox.Checked(); };
  setup.powerOption.setChecked = [this](bool checked) { ExitChkBox.SetChecked(checked); };
  setup.powerOption.modeName = [this] { return shell::ExitModeName(State.Settings.ExitMode); };
  setup.powerOption.chooseMode = [this] { ChooseExitMode(); };
  setup.openBinaryView = [this](ui::Form& owner, const results::BinaryViewRequest& request) {
    return OpenBinaryView(owner, request);
  };
  return setup;
}

void TForm1::ShowResultWindow(results::ResultWindowSetup setup, bool loadedHistory,
                              const MatchingBoxes& usersBoxes) {
  auto view = ui::MakeForm<results::TViewDlg>(this, State, std::move(setup));
  if (loadedHistory) view->ShowLoadedHistory();
  view->ShowModal();
  SetMatchingBoxes(usersBoxes);
}

// ビュー: the result window without a search, for saved results. A result saved
// unattended at the end of a search is loaded into it at once.
void TForm1::SpeedButton7Click(ui::Component&) {
  std::string content = Options.Edit1.Text();
  // Taken before the pending result's load sets the options from its file.
  const MatchingBoxes usersBoxes = MatchingBoxesNow();
  bool loaded = false;
  if (State.Settings.PendingResultsFlag && !State.Settings.PendingResultsPath.empty()) {
    State.SearchContentList.clear();
    loaded = OpenHistory(State.Settings.PendingResultsPath, true);
    if (loaded) content = State.Query.displayText;
  }
  State.Settings.PendingResultsFlag = false;
  State.Settings.PendingResultsPath.clear();
  ShowResultWindow(ResultWindowSetupFor(Options.ReadSearchOptions()), loaded, usersBoxes);
  Options.Edit1.SetText(content);
}

}  // namespace trovex::app
