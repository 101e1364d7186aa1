#pragma once
// TBinaryDlg: the binary view. One file shown page by page (256 bytes) as address,
// hex and character panes or, with "Text", as text; a slider moves between pages.
// The viewer keeps no settings of its own: its settings menu reads and writes the
// main window's option boxes through the hooks it is given.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/label.h"
#include "platform/ui/memo.h"
#include "platform/ui/menu.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/splitter.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/track_bar64.h"
#include "search/search_options.h"
#include "search/search_query.h"
#include "viewer/binary_page.h"
#include "viewer/file_hit_search.h"
#include "viewer/viewed_bytes.h"

namespace trovex::viewer {

// One of the main window's check boxes, read and written at the moment of use.
struct OptionBoxHook {
  std::string caption;
  std::function<bool()> checked;
  std::function<void(bool)> setChecked;
};

struct BinaryViewSetup {
  std::string filePath;
  std::int64_t startPage = 0;  // negative: page 0
  // How the character pane and the text display decode the bytes: the encoding
  // of the hit the viewer is opened on.
  CharPane charPane = CharPane::ShiftJis;
  // The query the result was found with and the content the result window shows;
  // the viewer's settings re-parse the content into its own copy of the query.
  search::SearchQuery query;
  std::string contentText;
  std::function<search::SearchOptions()> searchOptions;

  // The current result's list of search contents, and what is told when the
  // viewer changes the content (the result window takes it, the list gains it).
  std::function<std::vector<std::string>()> searchContentList;
  std::function<void(const std::string& content)> contentChanged;

  OptionBoxHook option;       // OptionChkBox
  OptionBoxHook caseBox;      // BigSmlChkBox
  OptionBoxHook widthBox;     // FullHalfChkBox
  OptionBoxHook lineBreaks;   // CheckBox2: line breaks skipped
  OptionBoxHook extraRows;    // PrsRowChkBox
  OptionBoxHook rtfTextOnly;  // TextOnlyChkBox

  const ui::ImageList* menuImages = nullptr;  // 2 unchecked, 3 checked
  const ui::ImageList* buttonGlyphs = nullptr;
  int helpGlyph = -1;
  int saveGlyph = -1;
  std::string helpHint;  // the main window's help button's hint
  std::function<void(const std::string& anchor)> openHelp;
  int colorDepth = 32;
};

class TBinaryDlg : public ui::Form {
 public:
  TBinaryDlg(ui::Form* owner, BinaryViewSetup setup);

  static constexpr int kClientWidth = 800;
  static constexpr int kMinWidth = 800;
  static constexpr int kMinHeight = 300;
  static constexpr int kMinPaneWidth = 100;

  ui::Label Label3;               // "Page Select"
  ui::ComboBox ComboBox1;         // saved positions
  ui::CheckBox CheckBox1;         // "Text"
  ui::SpeedButton SwitchButton2;  // go to the found page
  ui::Label Label1;
  ui::StaticText StaticText1;  // found page／index
  ui::Label Label2;
  ui::StaticText StaticText2;  // page／last page
  ui::TrackBar64 MyTrackBar1;
  ui::SpeedButton SpeedButton2;  // save the found position
  ui::SpeedButton SpeedButton1;  // " F3"
  ui::SpeedButton SpeedButton3;  // help
  ui::StaticText StaticText4;    // "Address"
  ui::StaticText StaticText5;    // the hex header
  ui::StaticText StaticText3;    // "0123456789ABCDEF"
  ui::Memo Memo1;                // addresses
  ui::Memo Memo16;               // hex, or the text display
  ui::Memo Memo3;                // characters
  ui::Splitter Splitter1;
  ui::Splitter Splitter2;
  ui::StatusBar Panel2;

  ui::PopupMenu PopupMenu1;
  ui::MenuItem N5{"検索内容の変更(&C)"};
  ui::MenuItem N1{"選択した位置の保存"};
  ui::MenuItem N16101{"16進数 -> 10進数"};
  ui::MenuItem N4{"-"};
  ui::MenuItem N2{"設定(&O)"};
  ui::MenuItem N6{"行を余分に表示"};
  ui::MenuItem N8;
  ui::MenuItem N7{"-"};
  ui::MenuItem OptionMenu;
  ui::MenuItem N3{"-"};
  ui::MenuItem BigSmlMenu;
  ui::MenuItem FullHalfMenu;
  ui::MenuItem LineDownSkipMenu;
  ui::MenuItem N9{"-"};
  ui::MenuItem CharPaneMenu{"文字の表示"};
  ui::MenuItem ShiftJisMenu{"Shift-JIS"};
  ui::MenuItem Utf8Menu{"UTF-8"};
  ui::MenuItem Utf16LeMenu{"UTF-16LE"};
  ui::MenuItem Utf16BeMenu{"UTF-16BE"};
  ui::MenuItem EucJpMenu{"EUC-JP"};
  ui::MenuItem BytesMenu{"1バイトずつ"};

  // Viewer state.
  std::string FilePath;
  std::string FileExt;  // lower-cased, with the dot
  std::uint64_t FileSize = 0;
  bool WideSearch = false;
  std::int64_t SearchPage = 0;
  int SearchIndex = 0;
  std::int64_t FoundPage = 0;
  int FoundIndex = 0;
  int HitLength = 0;
  std::int64_t LastShownPage = 0;
  bool InComboChange = false;
  std::string ContentText;  // the content the viewer searches for

  bool FileOpen() const { return file_.IsOpen(); }
  const PageBuffer& Page() const { return page_; }
  CharPane CurrentCharPane() const { return charPane_; }
  const search::SearchQuery& Query() const { return query_; }
  int RowCount() const;
  // The widths of the address and character panes now.
  int AddressWidth() const { return Memo1.Width(); }
  int CharsWidth() const { return Memo3.Width(); }

  // Reads the page under the slider and shows it.
  void ShowCurrentPage();
  void SetCharPane(CharPane pane);

  void MyTrackBar1Change(ui::Component& sender);
  void MyTrackBar1Released(ui::Component& sender);
  void CheckBox1Click(ui::Component& sender);
  void BigSmlMenuClick(ui::Component& sender);
  void N8Click(ui::Component& sender);
  void CharPaneMenuClick(ui::Component& sender);
  void PopupMenu1Popup(ui::Component& sender);
  void SpeedButton3Click(ui::Component& sender);

  // Search and hit navigation.
  // The search runs (F3 and the commands that change the hit are off).
  bool Searching() const { return searching_; }
  const std::vector<std::string>& SavedPositions() const { return savedPositions_; }
  void SpeedButton1Click(ui::Component& sender);  // find next, F3
  void SwitchButton2Click(ui::Component& sender);
  void SpeedButton2Click(ui::Component& sender);
  void N1Click(ui::Component& sender);
  void ComboBox1Change(ui::Component& sender);
  void ComboBox1DrawItem(ui::ComboBox& box, int index, ui::Canvas& canvas, const RECT& rect,
                         ui::OwnerDrawState state);
  void Memo16Click(ui::Component& sender);
  void Memo3Click(ui::Component& sender);
  void N5Click(ui::Component& sender);
  void N16101Click(ui::Component& sender);
  // Highlights the current hit's HitLength bytes from byte `index` of the page shown.
  void ShowHit(int index);

 protected:
  void FormShow() override;
  void FormCloseQuery(bool& canClose) override;
  void FormClose(ui::CloseAction& action) override;
  void FormShortCut(unsigned key, ui::ShiftState shift, bool& handled) override;
  void FormResize() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildMenus();
  void PlaceControls();
  void LayOutColumns();
  void MoveSplitter(bool first, int delta);
  void ShowSettingsVisibility();
  void ReParse();
  void RenderPage();
  int ExtraRowsHeight() const;
  void WireSearch();
  void OpeningSearch();
  // The first hit starting in [from, to), searched a chunk at a time with the
  // window answering in between; nothing when there is none or the window closes.
  std::optional<FileHit> SearchRange(std::uint64_t from, std::uint64_t to);
  search::MatchOptions CurrentMatchOptions() const;
  void ShowBusyState();
  void AddSavedPositionEntry(const std::string& entry);
  void ShowPage(std::uint64_t page);
  bool TextOnlyChecked() const;
  void ChooseShownBytes();

  BinaryViewSetup setup_;
  search::SearchQuery query_;
  // The text query_ was parsed from (a converted search: its byte list, not the text
  // the result window shows), parsed again when an option changes.
  std::string parsedContent_;
  ViewedBytes file_;
  PageBuffer page_;
  CharPane charPane_;
  int lineHeight_ = 16;
  int addressWidth_ = 0;  // the panes' widths in the hex display
  int charsWidth_ = 0;
  int columnsTop_ = 0;
  bool pagePosted_ = false;  // a slider move waits to be shown
  bool searching_ = false;
  bool closeAfterSearch_ = false;  // the window was asked to close during a search
  ui::Memo* popupPane_ = nullptr;  // the pane the context menu was opened over
  search::TextEncoding hitEncoding_ = search::TextEncoding::ShiftJis;
  std::vector<std::string> savedPositions_;
  ui::HintHandlerGuard hint_;
};

// Opens the viewer modally over `owner` with its "Text" box set to `textMode`, and
// returns the box's state when it closed.
bool ShowBinaryView(ui::Form& owner, BinaryViewSetup setup, bool textMode);

}  // namespace trovex::viewer
