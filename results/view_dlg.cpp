#include "results/view_dlg.h"

#include <algorithm>
#include <chrono>

#include "platform/shell/shell_services.h"
#include "platform/ui/application.h"
#include "platform/ui/font.h"
#include "results/colour_scheme.h"
#include "results/hit_row_builder.h"
#include "results/result_texts.h"
#include "results/run_snapshot.h"

namespace trovex::results {
namespace {

constexpr ui::Color kMismatchRowColour = RGB(227, 227, 227);
constexpr int kProgressWidth = 150;
constexpr int kStopWidth = 50;
constexpr int kCounterWidth = 96;
constexpr int kModeLabelWidth = 84;  // the longest mode name, シャットダウン

}  // namespace

TViewDlg::TViewDlg(ui::Form* owner, ProgramState& state, ResultWindowSetup setup)
    : ui::Form(owner),
      TopBar(this),
      StaticText3(&TopBar, "0/0"),
      StaticText2(&TopBar),
      SpeedButton1(&TopBar, "中止"),
      CheckBox1(&TopBar, "完了後にWindowsを終了する"),
      StaticText1(&TopBar, "ログオフ"),
      ColorProgressBar1(&TopBar),
      ListView1(this, ui::ViewStyle::Report),
      Panel1(this),
      state_(state),
      setup_(std::move(setup)),
      rowFeeder_([this](std::size_t index) { return state_.Progress.hitList.At(index); },
                 [this] { return MakeShellRowMaker(shellLock_); }, kRowThreads),
      snippetFiller_(
          HitSnippet, [this] { PostMessageW(Handle(), kSnippetsReadMessage, 0, 0); },
          kSnippetThreads) {
  SetCaption("検索ファイルビュー");
  SetBorder(ui::BorderStyle::Sizeable, ui::biSystemMenu | ui::biMinimize | ui::biMaximize);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetClientSize(kClientWidth, kClientHeight);
  SetMinSize(kClientWidth, kClientHeight);
  BuildMenus();
  BuildControls();

  ContentText = setup_.contentText;
  LiveSearch = setup_.live.has_value();
  ColorProgressBar1.SetMax(state_.Progress.totalFiles.load());
  // The power option mirrors the main window's in every window; a live window shows
  // it while its run lasts.
  CheckBox1.SetChecked(PowerActionChecked());
  ShowPowerOption(LiveSearch);
  if (LiveSearch) CheckBox1Click(CheckBox1);
  setup_.snippet.binaryDisplay = state_.Settings.ByteListDisplay;
  snippetFiller_.Restart(setup_.snippet);
  OptionMenu1.SetChecked(setup_.snippet.binaryDisplay == BinaryDisplay::Hex);
  OptionMenu2.SetChecked(setup_.snippet.binaryDisplay == BinaryDisplay::Chars);
  ListView1.SetSmallImages(os_shell::Services().imageLists->Small(), true);
  ApplyColours();

  Timer1.SetEnabled(false);
  Timer1.SetInterval(10);
  Timer1.OnTimer = ui::Bind(this, &TViewDlg::Timer1Timer);
  UpdateMenuStates();
}

TViewDlg::~TViewDlg() {
  if (worker_) {
    state_.Progress.cancelRequested = true;
    worker_.reset();  // waits for the walk to end
  }
}

void TViewDlg::BuildMenus() {
  MainMenu1.SetImages(setup_.menuImages);
  MainMenu1.Add(FileMenu);
  FileMenu.Add(OpenHistory1);
  FileMenu.Add(FileSeparator);
  FileMenu.Add(Close1);
  MainMenu1.Add(EditMenu);
  EditMenu.Add(Undo1);
  EditMenu.Add(RenameHistory1);
  EditMenu.Add(EditSeparator);
  EditMenu.Add(SelectMismatches1);
  EditMenu.Add(SelectAll1);
  EditMenu.Add(InvertSelection1);
  MainMenu1.Add(SearchMenu);
  SearchMenu.Add(Refine1);
  SearchMenu.Add(ListSearch1);
  MainMenu1.Add(OptionMenu);
  OptionMenu.Add(OptionMenu1);
  OptionMenu.Add(OptionMenu2);
  MainMenu1.Add(HelpMenu);
  HelpMenu.Add(Help1);
  SetMenu(&MainMenu1);

  PopupMenu1.SetImages(setup_.menuImages);
  for (ui::MenuItem* item :
       {&Open1, &OpenWith1, &BinaryView1, &OpenFolder1, &Copy1, &Delete1, &Properties1}) {
    PopupMenu1.Add(*item);
  }
  Open1.SetHint("関連付けられたソフトで開く");
  Delete1.SetHint("リストを削除する");

  Close1.OnClick = ui::Bind(this, &TViewDlg::Close1Click);
  SelectMismatches1.OnClick = ui::Bind(this, &TViewDlg::SelectMismatches1Click);
  SelectAll1.OnClick = ui::Bind(this, &TViewDlg::SelectAll1Click);
  InvertSelection1.OnClick = ui::Bind(this, &TViewDlg::InvertSelection1Click);
  OptionMenu1.OnClick = ui::Bind(this, &TViewDlg::OptionMenuClick);
  OptionMenu2.OnClick = ui::Bind(this, &TViewDlg::OptionMenuClick);
  Help1.OnClick = ui::Bind(this, &TViewDlg::Help1Click);
  Open1.OnClick = ui::Bind(this, &TViewDlg::Open1Click);
  OpenWith1.OnClick = ui::Bind(this, &TViewDlg::OpenWith1Click);
  OpenFolder1.OnClick = ui::Bind(this, &TViewDlg::OpenFolder1Click);
  Copy1.OnClick = ui::Bind(this, &TViewDlg::Copy1Click);
  Delete1.OnClick = ui::Bind(this, &TViewDlg::Delete1Click);
  Properties1.OnClick = ui::Bind(this, &TViewDlg::Properties1Click);
  Undo1.OnClick = ui::Bind(this, &TViewDlg::Undo1Click);
  OpenHistory1.OnClick = ui::Bind(this, &TViewDlg::OpenHistory1Click);
  RenameHistory1.OnClick = ui::Bind(this, &TViewDlg::RenameHistory1Click);
  Refine1.Tag = static_cast<int>(ListSearchKind::Refine);
  ListSearch1.Tag = static_cast<int>(ListSearchKind::List);
  Refine1.OnClick = ui::Bind(this, &TViewDlg::SearchWithinList);
  ListSearch1.OnClick = ui::Bind(this, &TViewDlg::SearchWithinList);
  BinaryView1.OnClick = ui::Bind(this, &TViewDlg::BinaryView1Click);
}

void TViewDlg::BuildControls() {
  TopBar.SetBevelOuter(ui::Bevel::None);
  TopBar.SetBounds(0, 0, kClientWidth, kTopBarHeight);
  TopBar.SetAnchors(ui::akLeft | ui::akTop | ui::akRight);

  StaticText3.SetAutoSize(false);
  StaticText3.SetAlignment(ui::TextAlign::Center);
  StaticText3.SetBorderStyle(ui::StaticBorder::Sunken);
  StaticText3.SetBounds(3, 4, kCounterWidth, 20);
  StaticText3.SetHint("検索総数/ヒット数");

  const int stopLeft = kClientWidth - kProgressWidth - kStopWidth - 10;
  StaticText2.SetAutoSize(false);
  StaticText2.SetTypedLine();
  StaticText2.SetBorderStyle(ui::StaticBorder::Sunken);
  StaticText2.SetBounds(kCounterWidth + 7, 4, stopLeft - kCounterWidth - 11, 20);
  StaticText2.SetAnchors(ui::akLeft | ui::akTop | ui::akRight);
  StaticText2.SetHint("検索した内容");

  SpeedButton1.SetBounds(stopLeft, 3, kStopWidth, 22);
  SpeedButton1.SetAnchors(ui::akTop | ui::akRight);
  SpeedButton1.SetVisible(false);
  SpeedButton1.OnClick = ui::Bind(this, &TViewDlg::SpeedButton1Click);

  CheckBox1.SetHint("処理が終わった時点でWindowsを終了する場合は、ここにチェック");
  CheckBox1.SetAnchors(ui::akTop | ui::akRight);
  CheckBox1.OnClick = ui::Bind(this, &TViewDlg::CheckBox1Click);
  StaticText1.SetHint("終了モード");
  StaticText1.SetAutoSize(false);
  StaticText1.SetAnchors(ui::akTop | ui::akRight);
  StaticText1.OnDblClick = ui::Bind(this, &TViewDlg::StaticText1DblClick);

  ColorProgressBar1.SetBounds(kClientWidth - kProgressWidth - 4, 6, kProgressWidth, 16);
  ColorProgressBar1.SetAnchors(ui::akTop | ui::akRight);
  ColorProgressBar1.SetBarColor(RGB(0, 0, 160));
  ColorProgressBar1.SetGradientEndColor(RGB(120, 160, 255));

  Panel1.SetPanels({ui::StatusPanel{-1, false, ""}});
  const int listHeight = kClientHeight - kTopBarHeight - Panel1.Height();
  ListView1.SetBounds(0, kTopBarHeight, kClientWidth, listHeight);
  ListView1.SetAnchors(ui::akLeft | ui::akTop | ui::akRight | ui::akBottom);
  ListView1.SetRowSelect(true);
  ListView1.SetMultiSelect(true);
  ListView1.SetReadOnly(true);
  ListView1.SetHideSelection(false);
  ListView1.AddColumn({"ファイル名", 250, ui::TextAlign::Left, 50, 0});
  ListView1.AddColumn({"内容", 50, ui::TextAlign::Left, 50, 0});
  ListView1.AddColumn({"種類", 63, ui::TextAlign::Left, 50, 200});
  ListView1.AddColumn({"サイズ", 75, ui::TextAlign::Right, 30, 100});
  ListView1.AddColumn({"更新日", 120, ui::TextAlign::Left, 50, 130});
  ListView1.AddColumn({"パス", 125, ui::TextAlign::Left, 50, 0});
  ListView1.SetFillColumn(kColContent);
  ListView1.SetPopupMenu(&PopupMenu1);

  ListView1.OnData = [this](std::size_t row, int column) { return CellText(row, column); };
  ListView1.OnImage = [this](std::size_t row) {
    return row < rows_.size() ? rows_[row].iconIndex : -1;
  };
  ListView1.OnRowColor = [this](std::size_t row) -> ui::Color {
    if (row < rows_.size() && rows_[row].mismatched) return kMismatchRowColour;
    return row % 2 == 1 ? kRichTint : ui::clNone;
  };
  ListView1.OnColumnClick = ui::Bind(this, &TViewDlg::ListView1ColumnClick);
  ListView1.OnDblClick = ui::Bind(this, &TViewDlg::ListView1DblClick);
  ListView1.OnSelectItem = ui::Bind(this, &TViewDlg::ListView1SelectItem);
  ListView1.OnContextPopup = ui::Bind(this, &TViewDlg::ListView1ContextPopup);
}

void TViewDlg::ApplyColours() {
  const bool rich = UsesRichColours(state_.ColorDepth);
  StaticText2.SetColor(rich ? kRichTint : RGB(255, 255, 255));
  StaticText3.SetColor(rich ? kRichTint : RGB(255, 255, 255));
}

std::string TViewDlg::CellText(std::size_t row, int column) {
  if (row >= rows_.size()) return std::string();
  const HitRecord& r = rows_[row];
  switch (column) {
    case kColFileName:
      return r.fileName;
    case kColContent:
      return ContentCell(row);
    case kColType:
      return r.typeName;
    case kColSize:
      return r.sizeText;
    case kColModified:
      return r.modifiedText;
    case kColPath:
      return r.path;
    default:
      return std::string();
  }
}

void TViewDlg::FormShow() {
  hint_.Install(this,
                [this](const std::string& longHint) { Panel1.SetPanelText(0, " " + longHint); });
  if (!setup_.live) return;
  StartWorker();
  ShowCounter(CounterText(state_.Progress.totalFiles.load(), 0));
  SpeedButton1.SetVisible(true);
  if (!setup_.conversionSource.empty()) ContentText = setup_.conversionSource;
  StaticText2.SetText(ContentText);
  StaticText2.SetHint("履歴名|検索した内容");
  Timer1.SetEnabled(true);
  UpdateMenuStates();
}

void TViewDlg::StartWorker() {
  const LiveSearchRun& run = *setup_.live;
  worker_ = std::make_unique<search::SearchWorker>(run.locations, state_.Query, run.matchOptions,
                                                   state_.Conditions, scanState_, state_.Progress,
                                                   run.scanners, run.walkRecord);
  setup_.live->walkRecord.reset();  // the worker's alone: it lets it go when its walk ends
}

// The hand-over between the worker and the window. Rows come in batches of at most
// kRowBatchMilliseconds, so that a burst of hits (or a large load) never holds the
// window; the run is over when the worker has ended and every line it found is a row.
void TViewDlg::Timer1Timer(ui::Component&) {
  search::SearchProgress& progress = state_.Progress;
  const RunSnapshot snapshot = TakeRunSnapshot(
      progress.hitList, worker_ ? std::function<bool()>([this] { return worker_->Finished(); })
                                : std::function<bool()>());
  TargetCount = snapshot.hitCount;
  const auto now = std::chrono::steady_clock::now();
  const bool progressDue = now - progressShown_ >= std::chrono::milliseconds(kProgressMilliseconds);
  if (progressDue) progressShown_ = now;
  if (worker_ && !snapshot.workerFinished) {
    if (progressDue) {
      ColorProgressBar1.SetPosition(progress.filesExamined.load());
      Panel1.SetPanelText(0, progress.CurrentFile());
    }
  } else if (worker_) {
    worker_.reset();
    ColorProgressBar1.SetPosition(0);
    ShowPowerOption(false);
  }
  // A load (no run) stops adding at 中止; a run keeps every row it found.
  const bool loadStopped = !setup_.live && StopRequested;
  if (MoreRowWork() && !loadStopped) {
    AddNewRows();
    // A row count waiting for its time is the timer's to tell.
    if (rows_.size() < TargetCount || paintDue_) ScheduleMoreRows();
  }
  const bool complete = rows_.size() >= TargetCount && !RowCountBehind();
  const bool over = setup_.live ? (!worker_ && complete) : (complete || StopRequested);
  if (progressDue || over) UpdateCounter();
  if (over) {
    FinishRun();
    // An unattended run: the window goes, the result is saved and the power action follows.
    if (setup_.live && PowerActionChecked()) Close();
  }
}

void TViewDlg::AddNewRows(bool all) {
  const auto start = std::chrono::steady_clock::now();
  const auto budget = std::chrono::milliseconds(kRowBatchMilliseconds);
  const bool loading = !setup_.live;
  // Telling the list its new row count, and painting what that shows, each cost
  // tens of milliseconds under Wine once the list is long: a batch does at most
  // one of them and takes rows in the time left.
  if (!all && paintDue_) {
    paintDue_ = false;
    UpdateWindow(ListView1.Handle());
  } else if (!all && RowCountBehind() &&
             ((rows_.size() >= TargetCount && !worker_) ||
              start - rowCountShown_ >= std::chrono::milliseconds(kRowCountMilliseconds))) {
    ShowRowCount(start);
    return;
  }
  // The feeder follows the rows: anything that changed them (a reload, a delete)
  // starts its fill again where they end.
  if (!rowFeeder_.Continues(rows_.size())) rowFeeder_.Restart(rows_.size());
  rowFeeder_.Extend(TargetCount);
  const std::size_t firstNew = rows_.size();
  while (rows_.size() < TargetCount) {
    if (loading && StopRequested) break;
    // A batch waits briefly for rows still being built; adding them all waits as
    // long as it takes.
    const auto wait = std::chrono::milliseconds(all ? 1000 : kRowWaitMilliseconds);
    const std::size_t taken = rowFeeder_.Take(rows_, TargetCount - rows_.size(), wait);
    if (loading && taken != 0) ColorProgressBar1.SetPosition(rows_.size());
    if (!all && (taken == 0 || std::chrono::steady_clock::now() - start >= budget)) break;
  }
  FillFoundSnippets(firstNew);
  if (all && RowCountBehind()) ShowRowCount(std::chrono::steady_clock::now());
}

bool TViewDlg::RowCountBehind() const {
  return ListView1.RowCount() != std::min(rows_.size(), ui::ListView::kMaxRows);
}

void TViewDlg::ShowRowCount(std::chrono::steady_clock::time_point now) {
  ListView1.SetRowCount(rows_.size());
  rowCountShown_ = now;
  paintDue_ = true;
}

bool TViewDlg::MoreRowWork() const { return rows_.size() < TargetCount || RowCountBehind(); }

void TViewDlg::ScheduleMoreRows() {
  // A posted message would come before paints: AddNewRows paints when it is due.
  moreRows_.Follow(Handle());
}

void TViewDlg::UpdateCounter() {
  ShowCounter(
      UpdateCounterText(LiveSearch, state_.Progress.totalFiles.load(), TargetCount, rows_.size()));
}

void TViewDlg::ShowCounter(std::string text) {
  if (text == counterShown_) return;  // every tick asks; a change is rare
  counterShown_ = std::move(text);
  StaticText3.SetText(counterShown_);
}

void TViewDlg::FinishRun() {
  Timer1.SetEnabled(false);
  if (ListView1.RowCount() != rows_.size()) ListView1.SetRowCount(rows_.size());
  SpeedButton1.SetVisible(false);
  LiveSearch = false;
  ListView1.FitFillColumn();
  ListView1.SetCursor(ui::Cursor::Default);
  ColorProgressBar1.SetPosition(0);
  UpdateMenuStates();
  QueueDueSnippets();
  MessageBeep(0);
}

bool TViewDlg::PowerActionChecked() const {
  return setup_.powerOption.checked && setup_.powerOption.checked();
}

void TViewDlg::CheckBox1Click(ui::Component&) {
  if (setup_.powerOption.setChecked) setup_.powerOption.setChecked(CheckBox1.Checked());
  const bool named = CheckBox1.Checked() && setup_.powerOption.modeName;
  StaticText1.SetCaption(named ? setup_.powerOption.modeName() : "");
}

// The mode dialog; its cancel unchecks the main window's option, and the window's
// own check box then sets it again, so a cancel keeps the mode and the check.
void TViewDlg::StaticText1DblClick(ui::Component&) {
  if (setup_.powerOption.chooseMode) setup_.powerOption.chooseMode();
  CheckBox1Click(CheckBox1);
}

// The power option stands between 中止 and the progress bar while a run lasts; the
// content box takes its room otherwise.
void TViewDlg::ShowPowerOption(bool shown) {
  CheckBox1.SetVisible(shown);
  StaticText1.SetVisible(shown);
  const int right = TopBar.Width() - kProgressWidth - 8;
  int stopLeft = right - kStopWidth;
  if (shown) {
    const int boxWidth =
        ui::MeasureText(CheckBox1.Font(), CheckBox1.Caption(), CheckBox1.Dpi()).cx + 24;
    const int labelLeft = right - kModeLabelWidth;
    StaticText1.SetBounds(labelLeft, 7, kModeLabelWidth, 16);
    CheckBox1.SetBounds(labelLeft - boxWidth - 2, 5, boxWidth, 18);
    stopLeft = CheckBox1.Left() - kStopWidth - 4;
  }
  SpeedButton1.SetBounds(stopLeft, 3, kStopWidth, 22);
  StaticText2.SetBounds(StaticText2.Left(), 4, std::max(40, stopLeft - StaticText2.Left() - 4), 20);
}

void TViewDlg::CompleteRunRows() {
  if (worker_) {
    state_.Progress.cancelRequested = true;
    ui::BusyCursor busy;
    worker_->WaitFor();
    worker_.reset();
  }
  TargetCount = state_.Progress.hitList.Count();
  if (rows_.size() < TargetCount) {
    ui::BusyCursor busy;
    AddNewRows(true);
  }
}

void TViewDlg::SpeedButton1Click(ui::Component&) {
  state_.Progress.cancelRequested = true;
  StopRequested = true;
}

void TViewDlg::FormClose(ui::CloseAction&) {
  // Every hit the run found is a row before the question, so nothing is lost.
  if (setup_.live && (worker_ || LiveSearch)) {
    CompleteRunRows();
    if (Timer1.Enabled()) {
      UpdateCounter();
      FinishRun();
    }
  }
  Timer1.SetEnabled(false);
  // With the power action the result is saved unattended: nobody is asked.
  if (!rows_.empty() && !PowerActionChecked()) SavePrompt();
  state_.SearchContentList.clear();
  hint_.Restore();  // the main window's status line shows the hints again
}

void TViewDlg::SavePrompt() {
  if (!setup_.saveHistory) return;  // no history file to save to
  const std::string& displayText = state_.Query.displayText;
  const std::string name = HistoryName(setup_.conversionSource, displayText);
  if (SavePromptAsks(rows_.size(), state_.UnsavedNewResult, Modified)) {
    const int answer = ui::App().MessageBox(SavePromptText(name, displayText, Modified),
                                            kSavePromptCaption, MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
      state_.Progress.hitList.Assign(std::vector<search::Hit>(rows_.begin(), rows_.end()));
      if (!setup_.saveHistory()) ui::App().ShowMessage(kSaveFailedMessage);
    }
  }
  setup_.conversionSource.clear();
}

void TViewDlg::FormShortCut(unsigned key, ui::ShiftState shift, bool& handled) {
  if (key == VK_F1) {
    Help1Click(Help1);
    handled = true;
  } else if (key == 'C' && (shift & ui::ssCtrl) && ListView1.Focused()) {
    Copy1Click(Copy1);
    handled = true;
  }
}

LRESULT TViewDlg::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITMENUPOPUP) UpdateMenuStates();
  if (msg == kSnippetsReadMessage) {
    SnippetsArrived();
    return 0;
  }
  if (moreRows_.Arrived(msg)) {
    if (Timer1.Enabled()) Timer1Timer(Timer1);
    return 0;
  }
  return ui::Form::WndProc(msg, wParam, lParam);
}

void TViewDlg::Close1Click(ui::Component&) { Close(); }

void TViewDlg::Help1Click(ui::Component&) {
  if (setup_.openHelp) setup_.openHelp("#fileview");
}

}  // namespace trovex::results
