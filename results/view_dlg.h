#pragma once
// TViewDlg: the result window. Shown modally from the main window, either live
// (it starts the search worker when shown and turns its hits into rows as they
// come) or for viewing a result without a worker. It owns the rows and, during a
// run, the worker; it reads and writes the program's shared state.
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/label.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/posted_step.h"
#include "platform/ui/panel.h"
#include "platform/ui/progress_bar64.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/timer.h"
#include "results/hit_record.h"
#include "results/hit_row_builder.h"
#include "results/hit_snippet.h"
#include "results/list_search.h"
#include "results/program_state.h"
#include "results/result_commands.h"
#include "results/row_feeder.h"
#include "results/snippet_filler.h"
#include "search/file_scan.h"
#include "search/go_thread.h"

namespace trovex::results {

// What the worker of a live window searches: taken at Start.
struct LiveSearchRun {
  search::SearchLocations locations;
  search::MatchOptions matchOptions;
  unsigned scanners = 0;  // threads that look into the files; 0: chosen (see RunSearch)
  // The folders the pre-count listed, for the run to take (see walk_record.h).
  std::shared_ptr<const search::WalkRecord> walkRecord;
};

// What the binary view is opened with from a row.
struct BinaryViewRequest {
  std::string path;
  std::int64_t offset = -1;  // the row's hit; negative: none
  std::string contentText;   // the content the window shows
  SnippetInputs snippet;     // how the window's snippets read the hit
  bool textMode = false;     // the viewer's "Text" box as the last viewer left it
  // The viewer changed the content: the window shows and saves it from now on.
  std::function<void(const std::string& content)> setContentText;
};

// The power action after a live run, as the main window holds it.
struct PowerOptionHooks {
  std::function<bool()> checked;  // none: never
  std::function<void(bool)> setChecked;
  std::function<std::string()> modeName;  // the chosen action, as the label shows it
  std::function<void()> chooseMode;       // the mode dialog; a cancel unchecks the option
};

struct ResultWindowSetup {
  std::string contentText;       // the main window's search content as typed
  std::string conversionSource;  // the text the conversion dialog turned into it
  SnippetInputs snippet;
  std::optional<LiveSearchRun> live;          // none: a viewing window
  const ui::ImageList* menuImages = nullptr;  // the main window's menu images
  std::function<void(const std::string& anchor)> openHelp;
  // Saves the hit list as a history file; true on success. While there is none,
  // closing the window asks no question.
  std::function<bool()> saveHistory;
  // Loads the history file at `path` into the hit list and the query (the main
  // window's OpenHistory); false when nothing could be loaded.
  std::function<bool(const std::string& path, bool clearContents)> openHistory;
  // Shows the history list modally over `owner` (the main window's, which applies
  // what the user did there to its bookkeeping); true when its OK loaded a file.
  // None: 検索履歴を開く is off.
  std::function<bool(ui::Form& owner)> openHistoryList;
  // Asks for a new history name among the search contents (the main window's
  // rename dialog, owned by `owner`); nullopt when the user cancels.
  std::function<std::optional<std::string>(ui::Form& owner, const std::string& current)>
      chooseHistoryName;
  // The main window's search options at this moment: a search within the list
  // parses and matches its content under their rules. None: the defaults.
  std::function<search::SearchOptions()> searchOptions;
  // The power action follows the run (the main window's ExitChkBox and ExitMode): a
  // live window then closes itself when its run ends, and no window asks to save
  // (the result is saved unattended).
  PowerOptionHooks powerOption;
  // Shows the binary view modally over `owner`; returns its "Text" box at closing.
  // None: バイナリビューで開く is off.
  std::function<bool(ui::Form& owner, const BinaryViewRequest& request)> openBinaryView;
};

class TViewDlg : public ui::Form {
 public:
  TViewDlg(ui::Form* owner, ProgramState& state, ResultWindowSetup setup);
  ~TViewDlg() override;

  static constexpr int kClientWidth = 700;
  static constexpr int kClientHeight = 400;
  static constexpr int kTopBarHeight = 28;
  // The longest a batch of rows holds the window before it answers messages again.
  static constexpr int kRowBatchMilliseconds = 25;
  // How often the list is told its new row count while rows arrive: telling it
  // relays the list out (hundreds of requests to Wine's server, which the scanners
  // wait on) and costs time that grows with the count, so not every batch, nor
  // every hit of a run that goes on.
  static constexpr int kRowCountMilliseconds = 250;
  // How often a run's progress (bar, current file, counter) is shown: each change repaints
  // and, under Wine, asks the window server, and the eye needs no more.
  static constexpr int kProgressMilliseconds = 100;
  // Threads building rows beside the window's. One: a row is mostly calls into the
  // file system, and under Wine two builders wait for each other in its server
  // (100,000 rows: 8.4-9.4 s with one, 9.8 s with two).
  static constexpr unsigned kRowThreads = 1;
  // Threads reading snippets: the rows on screen take them a few milliseconds; the
  // 100,000 snippets of the result-rows bench take 25 s under Wine with two, 30 s
  // with one.
  static constexpr unsigned kSnippetThreads = 2;
  // The filler is handed the rows off screen this many at a time, and more once
  // fewer than half are left.
  static constexpr std::size_t kSnippetBatch = 64;
  // How long a batch waits for the next row the feeder is still building.
  static constexpr int kRowWaitMilliseconds = 8;

  ui::MainMenu MainMenu1;
  ui::MenuItem FileMenu{"ファイル"};
  ui::MenuItem OpenHistory1{"検索履歴を開く(&O)"};
  ui::MenuItem FileSeparator{"-"};
  ui::MenuItem Close1{"閉じる(&C)"};
  ui::MenuItem EditMenu{"編集(&E)"};
  ui::MenuItem Undo1{"元に戻す(&U)"};
  ui::MenuItem RenameHistory1{"履歴名の編集"};
  ui::MenuItem EditSeparator{"-"};
  ui::MenuItem SelectMismatches1{"不一致リストの選択"};
  ui::MenuItem SelectAll1{"全て選択(&A)"};
  ui::MenuItem InvertSelection1{"選択の切り替え(&I)"};
  ui::MenuItem SearchMenu{"検索(&S)"};
  ui::MenuItem Refine1{"絞込み検索"};
  ui::MenuItem ListSearch1{"リストの検索"};
  ui::MenuItem OptionMenu{"オプション"};
  ui::MenuItem OptionMenu1{"16進数で表示する(&M)"};
  ui::MenuItem OptionMenu2{"1バイト文字で表示する(&N)"};
  ui::MenuItem HelpMenu{"ヘルプ(&H)"};
  ui::MenuItem Help1{"ファイルビューのヘルプ"};

  ui::PopupMenu PopupMenu1;
  ui::MenuItem Open1{"開く(&O)"};
  ui::MenuItem OpenWith1{"開くアプリケーションを選択"};
  ui::MenuItem BinaryView1{"バイナリビューで開く(&B)"};
  ui::MenuItem OpenFolder1{"フォルダを開く(&F)"};
  ui::MenuItem Copy1{"コピー(&C)\tCtrl+C"};
  ui::MenuItem Delete1{"削除(&D)"};
  ui::MenuItem Properties1{"プロパティ(&R)"};

  ui::Panel TopBar;
  ui::StaticText StaticText3;    // the counter
  ui::StaticText StaticText2;    // the search content or the history name
  ui::SpeedButton SpeedButton1;  // 中止
  ui::CheckBox CheckBox1;        // the power action after this run
  ui::StaticText StaticText1;    // its mode; a double click chooses another
  ui::ProgressBar64 ColorProgressBar1;
  ui::ListView ListView1;
  ui::StatusBar Panel1;
  ui::Timer Timer1;

  // Window state.
  bool LiveSearch = false;      // a new search whose rows are not complete yet
  bool Modified = false;        // the rows differ from what was found or loaded
  bool StopRequested = false;   // 中止 was pressed
  std::size_t TargetCount = 0;  // hit lines seen at the last tick
  std::string ContentText;      // the content this window shows and searches with
  bool BinaryViewTextMode = false;

  const std::vector<HitRecord>& Rows() const { return rows_; }
  bool HasWorker() const { return worker_ != nullptr; }
  // Rows are being produced or searched again (中止 is offered): the one busy state.
  bool ProducingRows() const { return Timer1.Enabled() || searchingRows_; }
  // Rows whose snippet is still to be read (they show no content until then).
  bool SnippetsDue() const;
  // Builds every row again from the hit list, as a load: 中止 ends the adding.
  void ReloadRows();
  // A history file was just loaded (OpenHistory): its name is the window's
  // content, and its rows come as a load.
  void ShowLoadedHistory();
  CommandStates CurrentCommandStates() const;

  // Adds rows for the hit lines up to TargetCount, for at most one batch's time
  // unless `all`.
  void AddNewRows(bool all = false);
  void UpdateCounter();
  void ShowCounter(std::string text);
  // Asks whether to save the result, and saves it on Yes.
  void SavePrompt();
  // Sets every menu item's state from the window's (also when a menu opens).
  void UpdateMenuStates();

  void Timer1Timer(ui::Component& sender);
  // The power option's check box written through to the main window, and its label.
  void CheckBox1Click(ui::Component& sender);
  void StaticText1DblClick(ui::Component& sender);
  void SpeedButton1Click(ui::Component& sender);
  void ListView1ColumnClick(ui::ListView& sender, int column);
  void ListView1DblClick(ui::Component& sender);
  void ListView1SelectItem(ui::ListView& sender, std::size_t row, bool selected);
  void ListView1ContextPopup(ui::Component& sender, int x, int y, bool& handled);
  void Open1Click(ui::Component& sender);
  void OpenWith1Click(ui::Component& sender);
  void BinaryView1Click(ui::Component& sender);
  void OpenFolder1Click(ui::Component& sender);
  void Copy1Click(ui::Component& sender);
  void Delete1Click(ui::Component& sender);
  void Undo1Click(ui::Component& sender);
  void OpenHistory1Click(ui::Component& sender);
  void RenameHistory1Click(ui::Component& sender);
  void Properties1Click(ui::Component& sender);
  void SelectAll1Click(ui::Component& sender);
  void InvertSelection1Click(ui::Component& sender);
  void SelectMismatches1Click(ui::Component& sender);
  // 絞込み検索 and リストの検索: the kind is the item's Tag (ListSearchKind).
  void SearchWithinList(ui::Component& sender);
  // The rows searched again for `content`, which becomes the window's content
  // (after 履歴名の編集). Returns the content's query; none when it does not parse.
  std::optional<search::SearchQuery> ReSearchRows(const std::string& content);
  void OptionMenuClick(ui::Component& sender);
  void Close1Click(ui::Component& sender);
  void Help1Click(ui::Component& sender);

 protected:
  void FormShow() override;
  void FormClose(ui::CloseAction& action) override;
  void FormShortCut(unsigned key, ui::ShiftState shift, bool& handled) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildMenus();
  void BuildControls();
  bool PowerActionChecked() const;
  void ShowPowerOption(bool shown);
  void ApplyColours();
  void StartWorker();
  void FinishRun();
  // The run is stopped or has ended: the worker is waited for and every line it
  // found becomes a row.
  void CompleteRunRows();
  // More rows wait: the next batch follows at once, unless the user's input waits
  // too (the timer's next tick then takes them on after it).
  void ScheduleMoreRows();
  // The list has not been told of every row yet.
  bool RowCountBehind() const;
  void ShowRowCount(std::chrono::steady_clock::time_point now);
  // Rows to take, or a row count to tell the list.
  bool MoreRowWork() const;
  void RebuildSnippets();
  void ApplyOrder(const std::vector<std::size_t>& order);
  const HitRecord* FirstSelectedRow() const;
  // The busy state of a walk over the rows on this thread (a search within them,
  // the reading of every snippet), for as long as it lives.
  class RowSearchScope {
   public:
    explicit RowSearchScope(TViewDlg& view) : view_(view) { view_.BeginRowSearch(); }
    ~RowSearchScope() { view_.EndRowSearch(); }
    RowSearchScope(const RowSearchScope&) = delete;
    RowSearchScope& operator=(const RowSearchScope&) = delete;

   private:
    TViewDlg& view_;
  };
  void BeginRowSearch();
  void EndRowSearch();
  // Between the rows of a walk on this thread: the window answers, and a close
  // asked for meanwhile stops the walk.
  void HandleMessagesInWalk();
  search::SearchOptions ListSearchOptions() const;
  void ShowHistoryName();
  // `query` is referred to by the run: it outlives it.
  ListSearchRun RowSearchRun(const search::SearchOptions& options, const search::SearchQuery& query,
                             const SnippetInputs& snippet);
  std::string CellText(std::size_t row, int column);
  // The content cell of a row; a row whose snippet is due asks the filler for it.
  const std::string& ContentCell(std::size_t row);
  // The due snippets of the rows from `from` on that the scan's kept bytes give
  // (see FoundSnippet): no file is opened for them.
  void FillFoundSnippets(std::size_t from);
  // The filler's results put into their rows.
  void SnippetsArrived();
  // Hands the filler the next rows whose snippets are due, once the rows are complete.
  void QueueDueSnippets();
  // The rows moved, went or were made again: the filler's jobs are of the old ones.
  void SnippetRowsChanged();
  // Every snippet still due read (for a sort by content, a search within the rows);
  // the window answers meanwhile and 中止 stops it. False when stopped.
  bool CompleteSnippets();

  ProgramState& state_;
  ResultWindowSetup setup_;
  search::ScanState scanState_;
  std::unique_ptr<search::SearchWorker> worker_;
  std::vector<HitRecord> rows_;
  ui::PostedStep moreRows_{WM_APP + 21};  // the rows go on before the timer's next tick
  static constexpr UINT kSnippetsReadMessage = WM_APP + 22;  // the filler has results
  std::size_t snippetCursor_ = 0;  // rows before it are queued for the filler or not due
  bool paintDue_ = false;          // the list was told of new rows and has not painted them
  bool searchingRows_ = false;     // a search within the rows runs
  bool readingSnippets_ = false;   // CompleteSnippets runs
  std::chrono::steady_clock::time_point rowCountShown_{};
  std::chrono::steady_clock::time_point progressShown_{};
  std::string counterShown_;   // the counter's text as last set
  std::mutex shellLock_;       // the feeder's threads ask the shell one at a time
  ui::HintHandlerGuard hint_;  // the status line shows the hints while the window is open
  RowFeeder rowFeeder_;        // last two: their threads end before the rest goes
  SnippetFiller snippetFiller_;
};

}  // namespace trovex::results
