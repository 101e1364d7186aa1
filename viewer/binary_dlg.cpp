#include "viewer/binary_dlg.h"

#include <algorithm>
#include <utility>

#include "platform/text/lower_case.h"
#include "results/colour_scheme.h"
#include "results/hit_record.h"
#include "search/file_extension.h"
#include "search/parse_search_content.h"

namespace trovex::viewer {
namespace {

constexpr UINT kShowPageMessage = WM_APP + 20;
constexpr int kMargin = 8;
constexpr int kTopRowY = 6;
constexpr int kSliderRowY = 34;
constexpr int kHeadersY = 66;
constexpr int kSplitterWidth = 4;
constexpr int kPaneBorders = 10;  // the memo's frame and margins beside its text
constexpr int kChosenImage = 3;
constexpr int kOtherImage = 2;
constexpr ui::Color kYellow = 0x00FFFF;

const ui::FontInfo kPaneFont{"ＭＳ ゴシック", 12};

// The widths of the address and character panes at the moment "Text" was last
// switched on, for the whole run of the program (0: not yet).
struct RememberedWidths {
  int address = 0;
  int chars = 0;
};
RememberedWidths rememberedWidths;

// The extension with its dot, lower-cased; empty when the name has none.
std::string LowerExtension(const std::string& path) {
  const std::string name(results::FileNamePart(path));
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : text::AnsiLowerCase(name.substr(dot));
}

int TextWidth(std::string_view text, int dpi) { return ui::MeasureText(kPaneFont, text, dpi).cx; }

}  // namespace

TBinaryDlg::TBinaryDlg(ui::Form* owner, BinaryViewSetup setup)
    : ui::Form(owner),
      Label3(this, "Page Select"),
      ComboBox1(this, ui::ComboStyle::OwnerDrawList),
      CheckBox1(this, "Text"),
      SwitchButton2(this, "●"),
      Label1(this, "Found Page／Index "),
      StaticText1(this, "00／00"),
      Label2(this, "Page No／Max  "),
      StaticText2(this, ""),
      MyTrackBar1(this),
      SpeedButton2(this),
      SpeedButton1(this, " F3"),
      SpeedButton3(this),
      StaticText4(this, "Address"),
      StaticText5(this, "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F"),
      StaticText3(this, "0123456789ABCDEF"),
      Memo1(this, ui::MemoStyle{ui::ScrollBars::None, false, false}),
      Memo16(this, ui::MemoStyle{ui::ScrollBars::None, true, false}),
      Memo3(this, ui::MemoStyle{ui::ScrollBars::None, false, false}),
      Splitter1(this),
      Splitter2(this),
      Panel2(this),
      setup_(std::move(setup)),
      query_(setup_.query),
      charPane_(setup_.charPane) {
  BuildMenus();

  FilePath = setup_.filePath;
  ContentText = setup_.contentText;
  parsedContent_ = query_.displayText.empty() ? ContentText : query_.displayText;
  FileExt = LowerExtension(FilePath);
  WideSearch =
      FileExt == ".doc" && query_.mode == search::SearchMode::Text && !query_.allAlphanumeric;
  const std::int64_t start = std::max<std::int64_t>(setup_.startPage, 0);
  SearchPage = FoundPage = start;
  SearchIndex = FoundIndex = 0;

  SetCaption("バイナリビュー  [ " + std::string(results::FileNamePart(FilePath)) + " ]");
  StaticText1.SetCaption(std::to_string(start) + "／00");
  SetBorder(ui::BorderStyle::SizeToolWin, ui::biSystemMenu);
  SetPosition(ui::FormPosition::ScreenCenter);
  SetMinSize(kMinWidth, kMinHeight);
  PlaceControls();
  if (setup_.extraRows.checked && setup_.extraRows.checked())
    SetClientSize(ClientWidth(), ClientHeight() + ExtraRowsHeight());

  hint_.Install(this,
                [this](const std::string& longHint) { Panel2.SetPanelText(0, " " + longHint); });
  if (!results::UsesRichColours(setup_.colorDepth)) {
    StaticText1.SetColor(kYellow);
    StaticText2.SetColor(ui::clWhite);
  }

  MyTrackBar1.OnChange = [this](ui::Component&) {
    // Page reads follow the thumb at the pace the window can show them: moves
    // that arrive before the page is shown make one read, of the latest page.
    if (pagePosted_) return;
    pagePosted_ = true;
    PostMessageW(Handle(), kShowPageMessage, 0, 0);
  };
  MyTrackBar1.OnMouseUp = [this](ui::Component& sender, ui::MouseButton, ui::ShiftState, int, int) {
    MyTrackBar1Released(sender);
  };
  MyTrackBar1.OnKeyUp = [this](ui::Component& sender, unsigned&, ui::ShiftState) {
    MyTrackBar1Released(sender);
  };
  CheckBox1.OnClick = ui::Bind(this, &TBinaryDlg::CheckBox1Click);
  SpeedButton3.OnClick = ui::Bind(this, &TBinaryDlg::SpeedButton3Click);
  Splitter1.OnMoved = [this](ui::Splitter&, int delta) { MoveSplitter(true, delta); };
  Splitter2.OnMoved = [this](ui::Splitter&, int delta) { MoveSplitter(false, delta); };
  WireSearch();
}

void TBinaryDlg::BuildMenus() {
  PopupMenu1.SetImages(setup_.menuImages);
  for (ui::MenuItem* item : {&N5, &N1, &N16101, &N4, &N2}) PopupMenu1.Add(*item);
  N1.Tag = 10;
  for (ui::MenuItem* item : {&N6, &N8, &N7, &OptionMenu, &N3, &BigSmlMenu, &FullHalfMenu,
                             &LineDownSkipMenu, &N9, &CharPaneMenu})
    N2.Add(*item);
  N6.Tag = 10;
  N8.Tag = 10;
  N7.Tag = 100;
  OptionMenu.Tag = 3;
  N3.Tag = 0;
  BigSmlMenu.Tag = 0;
  FullHalfMenu.Tag = 1;
  LineDownSkipMenu.Tag = 2;
  N9.Tag = 100;
  CharPaneMenu.Tag = 100;

  // Captions and check marks of the main window's boxes, as they are now.
  const std::pair<ui::MenuItem*, const OptionBoxHook*> mirrors[] = {
      {&OptionMenu, &setup_.option},     {&BigSmlMenu, &setup_.caseBox},
      {&FullHalfMenu, &setup_.widthBox}, {&LineDownSkipMenu, &setup_.lineBreaks},
      {&N8, &setup_.rtfTextOnly},        {&N6, &setup_.extraRows}};
  for (const auto& [item, hook] : mirrors) {
    if (!hook->caption.empty() && item != &N6) item->SetCaption(hook->caption);
    item->SetChecked(hook->checked && hook->checked());
    item->SetAutoCheck(true);
  }
  for (ui::MenuItem* item : {&N6, &OptionMenu, &BigSmlMenu, &FullHalfMenu, &LineDownSkipMenu})
    item->OnClick = ui::Bind(this, &TBinaryDlg::BigSmlMenuClick);
  N8.OnClick = ui::Bind(this, &TBinaryDlg::N8Click);

  const std::pair<ui::MenuItem*, CharPane> panes[] = {
      {&ShiftJisMenu, CharPane::ShiftJis}, {&Utf8Menu, CharPane::Utf8},
      {&Utf16LeMenu, CharPane::Utf16Le},   {&Utf16BeMenu, CharPane::Utf16Be},
      {&EucJpMenu, CharPane::EucJp},       {&BytesMenu, CharPane::Bytes}};
  for (const auto& [item, pane] : panes) {
    CharPaneMenu.Add(*item);
    item->Tag = static_cast<int>(pane);
    item->SetRadioItem(true);
    item->SetChecked(pane == charPane_);
    item->OnClick = ui::Bind(this, &TBinaryDlg::CharPaneMenuClick);
  }
  ShowSettingsVisibility();

  PopupMenu1.OnPopup = ui::Bind(this, &TBinaryDlg::PopupMenu1Popup);
}

int TBinaryDlg::RowCount() const {
  return kRowsPerPage + (setup_.extraRows.checked && setup_.extraRows.checked() ? kExtraRows : 0);
}

int TBinaryDlg::ExtraRowsHeight() const { return kExtraRows * lineHeight_; }

void TBinaryDlg::PlaceControls() {
  lineHeight_ = ui::MeasureText(kPaneFont, "0", Dpi()).cy;
  for (ui::Control* pane :
       {static_cast<ui::Control*>(&Memo1), static_cast<ui::Control*>(&Memo16),
        static_cast<ui::Control*>(&Memo3), static_cast<ui::Control*>(&StaticText4),
        static_cast<ui::Control*>(&StaticText5), static_cast<ui::Control*>(&StaticText3)})
    pane->SetFont(kPaneFont);
  for (ui::Memo* memo : {&Memo1, &Memo16, &Memo3}) {
    memo->SetReadOnly(true);
    memo->SetPopupMenu(&PopupMenu1);
  }
  // "選択した位置の保存" saves a selection of the pane the menu was opened over.
  for (ui::Memo* memo : {&Memo1, &Memo16, &Memo3}) {
    memo->OnContextPopup = [this, memo](ui::Component&, int, int, bool&) {
      popupPane_ = memo;
      N1.SetVisible(memo != &Memo1);
    };
  }

  // The top row: saved positions, "Text", the found box and the page box.
  int x = kMargin;
  auto place = [&x](ui::Control& control, int y, int width, int height, int gap) {
    control.SetBounds(x, y, width, height);
    x += width + gap;
  };
  place(Label3, kTopRowY + 4, Label3.Width(), Label3.Height(), 6);
  place(ComboBox1, kTopRowY, 200, ComboBox1.Height(), 14);
  place(CheckBox1, kTopRowY + 2, 60, CheckBox1.Height(), 8);
  place(SwitchButton2, kTopRowY, 24, 22, 8);
  place(Label1, kTopRowY + 4, Label1.Width(), Label1.Height(), 2);
  StaticText1.SetAutoSize(false);
  StaticText1.SetBorderStyle(ui::StaticBorder::Sunken);
  place(StaticText1, kTopRowY + 2, 110, 20, 14);
  place(Label2, kTopRowY + 4, Label2.Width(), Label2.Height(), 2);
  StaticText2.SetAutoSize(false);
  StaticText2.SetBorderStyle(ui::StaticBorder::Sunken);
  place(StaticText2, kTopRowY + 2, 150, 20, 0);

  // The window's size first: controls anchored at the right keep their distance
  // to its right edge from the moment they are placed.
  Panel2.SetPanels({ui::StatusPanel{-1, false, ""}});
  addressWidth_ = TextWidth(" 000000000000", Dpi()) + kPaneBorders;
  // One column more than the 16 of a row, so that a wide glyph never clips.
  charsWidth_ = TextWidth("0123456789ABCDEFG", Dpi()) + kPaneBorders;
  columnsTop_ = kHeadersY + lineHeight_ + 4;
  const int panesHeight = kRowsPerPage * lineHeight_ + kPaneBorders;
  const int clientWidth = std::max(kClientWidth, x + kMargin);
  SetClientSize(clientWidth, columnsTop_ + panesHeight + Panel2.Height());

  // The slider row, its buttons at the right.
  const int buttonsWidth = 26 + 44 + 26 + 2 * 4;
  MyTrackBar1.SetBounds(kMargin, kSliderRowY, clientWidth - 3 * kMargin - buttonsWidth, 26);
  MyTrackBar1.SetAnchors(ui::akLeft | ui::akTop | ui::akRight);
  MyTrackBar1.SetPageSize(10);
  int bx = clientWidth - kMargin - buttonsWidth;
  for (auto [button, width] :
       {std::pair{&SpeedButton2, 26}, std::pair{&SpeedButton1, 44}, std::pair{&SpeedButton3, 26}}) {
    button->SetBounds(bx, kSliderRowY, width, 26);
    button->SetAnchors(ui::akTop | ui::akRight);
    bx += width + 4;
  }
  SpeedButton2.SetGlyph(setup_.buttonGlyphs, setup_.saveGlyph);
  SpeedButton3.SetGlyph(setup_.buttonGlyphs, setup_.helpGlyph);

  // Hints.
  Label3.SetHint("ページを選択|保存したページ番号と内容を表示する");
  ComboBox1.SetHint("ページを選択|保存したページ番号と内容を表示する");
  CheckBox1.SetHint("テキストで表示");
  SwitchButton2.SetHint("Found Page に移動|隣りに表示している番号のページを表示する");
  StaticText1.SetHint("見つかったページ番号／位置(16進数)");
  StaticText2.SetHint("現在のページ番号／最後のページ番号");
  MyTrackBar1.SetHint("ページの移動");
  SpeedButton2.SetHint("ページの保存|検索でヒットしたページ番号と位置を保存");
  SpeedButton1.SetHint("次を検索");
  SpeedButton3.SetHint(setup_.helpHint);

  LayOutColumns();
}

// The three panes side by side under their headers: the address and character
// panes at their widths (1 pixel in the text display), the hex pane in between
// taking the rest.
void TBinaryDlg::LayOutColumns() {
  const bool textDisplay = CheckBox1.Checked();
  const int address = textDisplay ? 1 : addressWidth_;
  const int chars = textDisplay ? 1 : charsWidth_;
  const int width = ClientWidth();
  const int hex = std::max(1, width - 2 * kMargin - address - chars - 2 * kSplitterWidth);
  const int height = std::max(1, ClientHeight() - columnsTop_ - Panel2.Height());
  const int headerHeight = lineHeight_ + 4;
  int x = kMargin;
  StaticText4.SetBounds(x, kHeadersY, address, headerHeight);
  Memo1.SetBounds(x, columnsTop_, address, height);
  x += address;
  Splitter1.SetBounds(x, kHeadersY, kSplitterWidth, height + headerHeight);
  x += kSplitterWidth;
  StaticText5.SetBounds(x, kHeadersY, hex, headerHeight);
  Memo16.SetBounds(x, columnsTop_, hex, height);
  x += hex;
  Splitter2.SetBounds(x, kHeadersY, kSplitterWidth, height + headerHeight);
  x += kSplitterWidth;
  StaticText3.SetBounds(x, kHeadersY, chars, headerHeight);
  Memo3.SetBounds(x, columnsTop_, chars, height);
  StaticText5.SetVisible(!textDisplay);
  StaticText5.Repaint();
}

// A splitter keeps every pane at least kMinPaneWidth wide.
void TBinaryDlg::MoveSplitter(bool first, int delta) {
  if (CheckBox1.Checked()) return;
  const int hex = Memo16.Width();
  if (first) {
    const int wanted = addressWidth_ + delta;
    addressWidth_ = std::clamp(wanted, kMinPaneWidth,
                               std::max(kMinPaneWidth, addressWidth_ + hex - kMinPaneWidth));
  } else {
    const int wanted = charsWidth_ - delta;
    charsWidth_ = std::clamp(wanted, kMinPaneWidth,
                             std::max(kMinPaneWidth, charsWidth_ + hex - kMinPaneWidth));
  }
  LayOutColumns();
}

void TBinaryDlg::FormResize() { LayOutColumns(); }

void TBinaryDlg::FormShow() {
  // Closes nothing it did not open: a file that cannot be opened is shown empty.
  if (!file_.Open(FilePath)) Panel2.SetPanelText(0, " ファイルを開けませんでした。");
  ChooseShownBytes();
  MyTrackBar1.SetPosition(static_cast<std::uint64_t>(SearchPage));
  ShowCurrentPage();
  LastShownPage = static_cast<std::int64_t>(MyTrackBar1.Position());
  OpeningSearch();
}

void TBinaryDlg::FormClose(ui::CloseAction&) {
  file_.Close();
  hint_.Restore();
}

void TBinaryDlg::FormShortCut(unsigned key, ui::ShiftState, bool& handled) {
  if (key == VK_F3) {
    SpeedButton1Click(SpeedButton1);
    handled = true;
  } else if (key == VK_F1) {
    SpeedButton3Click(SpeedButton3);
    handled = true;
  }
}

LRESULT TBinaryDlg::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kShowPageMessage) {
    pagePosted_ = false;
    MyTrackBar1Change(MyTrackBar1);
    return 0;
  }
  return ui::Form::WndProc(msg, wParam, lParam);
}

void TBinaryDlg::ShowCurrentPage() {
  const std::uint64_t page = MyTrackBar1.Position();
  const bool rtfAsText = FileExt == ".rtf" && TextOnlyChecked();
  ReadPage(file_, page, rtfAsText, page_);
  RenderPage();
  StaticText2.SetCaption(std::to_string(page) + "／" + std::to_string(MyTrackBar1.Max()));
}

void TBinaryDlg::RenderPage() {
  const int rows = RowCount();
  const std::size_t count = static_cast<std::size_t>(rows) * kBytesPerRow;
  if (CheckBox1.Checked()) {
    Memo16.SetText(PageDisplayText(page_, count, charPane_));
    return;
  }
  const PageLines lines = RenderPageLines(page_, rows, charPane_);
  Memo1.SetLines(lines.addresses);
  Memo16.SetLines(lines.hex);
  Memo3.SetLines(lines.chars);
}

void TBinaryDlg::ShowPage(std::uint64_t page) {
  MyTrackBar1.SetPosition(page);
  if (static_cast<std::int64_t>(MyTrackBar1.Position()) != LastShownPage) {
    ShowCurrentPage();
    LastShownPage = static_cast<std::int64_t>(MyTrackBar1.Position());
  }
}

void TBinaryDlg::SetCharPane(CharPane pane) {
  charPane_ = pane;
  for (ui::MenuItem* item :
       {&ShiftJisMenu, &Utf8Menu, &Utf16LeMenu, &Utf16BeMenu, &EucJpMenu, &BytesMenu})
    if (item->Tag == static_cast<int>(pane)) item->SetChecked(true);
  RenderPage();
  if (static_cast<std::int64_t>(MyTrackBar1.Position()) == FoundPage) ShowHit(FoundIndex);
}

void TBinaryDlg::MyTrackBar1Change(ui::Component&) {
  const auto position = static_cast<std::int64_t>(MyTrackBar1.Position());
  if (position != LastShownPage) {
    ShowCurrentPage();
    if (position == FoundPage) ShowHit(FoundIndex);
    LastShownPage = position;
  }
  if (!InComboChange && ComboBox1.ItemIndex() >= 0) ComboBox1.SetItemIndex(-1);
}

// The next find-next starts at the top of the page the user moved to.
void TBinaryDlg::MyTrackBar1Released(ui::Component&) {
  SearchPage = static_cast<std::int64_t>(MyTrackBar1.Position());
  SearchIndex = 0;
}

void TBinaryDlg::CheckBox1Click(ui::Component&) {
  if (CheckBox1.Checked()) {
    rememberedWidths = {addressWidth_, charsWidth_};
  } else if (rememberedWidths.address > 0) {
    addressWidth_ = rememberedWidths.address;
    charsWidth_ = rememberedWidths.chars;
  }
  LayOutColumns();
  if (CheckBox1.Checked()) {
    Memo1.Clear();
    Memo3.Clear();
  }
  ShowCurrentPage();
  if (static_cast<std::int64_t>(MyTrackBar1.Position()) == FoundPage) ShowHit(FoundIndex);
}

void TBinaryDlg::ShowSettingsVisibility() {
  for (ui::MenuItem* item : {&N3, &BigSmlMenu, &FullHalfMenu, &LineDownSkipMenu})
    item->SetVisible(OptionMenu.Checked());
}

// The items' check marks were toggled by the click; each writes its box.
void TBinaryDlg::BigSmlMenuClick(ui::Component& sender) {
  auto& item = static_cast<ui::MenuItem&>(sender);
  const bool checked = item.Checked();
  auto write = [checked](const OptionBoxHook& hook) {
    if (hook.setChecked) hook.setChecked(checked);
  };
  switch (item.Tag) {
    case 0:
      write(setup_.caseBox);
      ReParse();
      break;
    case 1:
      write(setup_.widthBox);
      ReParse();
      break;
    case 2:
      write(setup_.lineBreaks);  // read by the matcher at each comparison
      break;
    case 3:
      write(setup_.option);
      ShowSettingsVisibility();
      ReParse();
      break;
    case 10: {
      write(setup_.extraRows);
      const int change = checked ? ExtraRowsHeight() : -ExtraRowsHeight();
      SetClientSize(ClientWidth(), ClientHeight() + change);
      ShowCurrentPage();
      break;
    }
    default:
      break;
  }
}

void TBinaryDlg::N8Click(ui::Component&) {
  if (setup_.rtfTextOnly.setChecked) setup_.rtfTextOnly.setChecked(N8.Checked());
  ChooseShownBytes();
  ShowCurrentPage();
}

bool TBinaryDlg::TextOnlyChecked() const {
  return setup_.rtfTextOnly.checked && setup_.rtfTextOnly.checked();
}

// The file's bytes, or, with the text-only option, the text a search looks at
// inside a document or archive: the offsets of its rows count in that text.
void TBinaryDlg::ChooseShownBytes() {
  const bool inside = query_.mode == search::SearchMode::Text && !query_.regex &&
                      CurrentMatchOptions().lookInside && TextOnlyChecked();
  file_.ShowContainedText(inside);
  FileSize = file_.Size();
  MyTrackBar1.SetMax(LastPageOf(FileSize));
}

void TBinaryDlg::CharPaneMenuClick(ui::Component& sender) {
  SetCharPane(static_cast<CharPane>(static_cast<ui::MenuItem&>(sender).Tag));
}

// The content parsed again under the options as they are now, into the viewer's
// own query: a search running meanwhile keeps the copy it took at Start, and a
// content the parse refuses leaves the query as it was.
void TBinaryDlg::ReParse() {
  if (!setup_.searchOptions) return;
  search::SearchQuery parsed;
  const auto report = [](const std::string& message) { ui::App().ShowMessage(message); };
  if (search::ParseSearchContent(parsedContent_, setup_.searchOptions(), report, parsed))
    query_ = std::move(parsed);
}

void TBinaryDlg::PopupMenu1Popup(ui::Component&) {
  for (ui::MenuItem* item : {&N6, &N8, &OptionMenu, &BigSmlMenu, &FullHalfMenu, &LineDownSkipMenu})
    item->SetImageIndex(item->Checked() ? kChosenImage : kOtherImage);
}

void TBinaryDlg::SpeedButton3Click(ui::Component&) {
  if (setup_.openHelp) setup_.openHelp("#BinaryView");
}

bool ShowBinaryView(ui::Form& owner, BinaryViewSetup setup, bool textMode) {
  auto viewer = ui::MakeForm<TBinaryDlg>(&owner, std::move(setup));
  viewer->CheckBox1.SetChecked(textMode);
  viewer->ShowModal();
  return viewer->CheckBox1.Checked();
}

}  // namespace trovex::viewer
