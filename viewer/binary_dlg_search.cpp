// The binary view's search and hit navigation: the opening search on the start
// page, find-next (F3), the highlight, the found page, clicks that set where the
// next search starts, saved positions, a new content and the hex-to-decimal tool.
#include <algorithm>

#include "search/parse_search_content.h"
#include "viewer/binary_dlg.h"
#include "viewer/input_dlg.h"
#include "viewer/pane_selection.h"
#include "viewer/saved_positions.h"

namespace trovex::viewer {
namespace {

constexpr const char* kNotFoundMessage = "見つかりません！";
constexpr ui::Color kNavy = 0x800000;
constexpr int kSavedItemHeight = 20;

}  // namespace

void TBinaryDlg::WireSearch() {
  SpeedButton1.OnClick = ui::Bind(this, &TBinaryDlg::SpeedButton1Click);
  SwitchButton2.OnClick = ui::Bind(this, &TBinaryDlg::SwitchButton2Click);
  SpeedButton2.OnClick = ui::Bind(this, &TBinaryDlg::SpeedButton2Click);
  N1.OnClick = ui::Bind(this, &TBinaryDlg::N1Click);
  N5.OnClick = ui::Bind(this, &TBinaryDlg::N5Click);
  N16101.OnClick = ui::Bind(this, &TBinaryDlg::N16101Click);
  ComboBox1.OnChange = ui::Bind(this, &TBinaryDlg::ComboBox1Change);
  ComboBox1.OnDrawItem = [this](ui::ComboBox& box, int index, ui::Canvas& canvas, const RECT& rect,
                                ui::OwnerDrawState state) {
    ComboBox1DrawItem(box, index, canvas, rect, state);
  };
  ComboBox1.SetItemHeight(kSavedItemHeight);
  // The address pane's clicks take the hex pane's caret, as its selection does.
  const auto hexClick = [this](ui::Component& sender, ui::MouseButton, ui::ShiftState, int, int) {
    Memo16Click(sender);
  };
  Memo1.OnMouseUp = hexClick;
  Memo16.OnMouseUp = hexClick;
  Memo3.OnMouseUp = [this](ui::Component& sender, ui::MouseButton, ui::ShiftState, int, int) {
    Memo3Click(sender);
  };
}

search::MatchOptions TBinaryDlg::CurrentMatchOptions() const {
  const search::SearchOptions options =
      setup_.searchOptions ? setup_.searchOptions() : search::SearchOptions{};
  return search::MatchOptionsFor(options, query_.mode);
}

// One busy state: while a search runs, the commands that move or change the hit are
// off; the slider and the display stay live.
void TBinaryDlg::ShowBusyState() {
  for (ui::Control* control :
       {static_cast<ui::Control*>(&SpeedButton1), static_cast<ui::Control*>(&SwitchButton2),
        static_cast<ui::Control*>(&SpeedButton2), static_cast<ui::Control*>(&ComboBox1)})
    control->SetEnabled(!searching_);
  for (ui::MenuItem* item : {&N5, &N1, &N2}) item->SetEnabled(!searching_);
}

std::optional<FileHit> TBinaryDlg::SearchRange(std::uint64_t from, std::uint64_t to) {
  if (!file_.IsOpen()) return std::nullopt;
  FileHitSearch search(file_, FilePath, query_, CurrentMatchOptions(), file_.ShowsContainedText());
  search.Start(from, to);
  searching_ = true;
  ShowBusyState();
  FileHitSearch::Outcome outcome = FileHitSearch::Outcome::Searching;
  {
    ui::BusyCursor busy;
    while ((outcome = search.Step()) == FileHitSearch::Outcome::Searching) {
      ui::App().ProcessMessages();
      if (closeAfterSearch_) break;
    }
  }
  searching_ = false;
  ShowBusyState();
  if (closeAfterSearch_) {
    Close();
    return std::nullopt;
  }
  if (outcome != FileHitSearch::Outcome::Found) return std::nullopt;
  return search.Hit();
}

// The hit on the start page, if the query finds one there now (the row may come
// from a history file searched with other options): no hit is shown where the
// current query does not match, and the next search starts at the top of the page.
void TBinaryDlg::OpeningSearch() {
  const std::uint64_t pageStart = static_cast<std::uint64_t>(SearchPage) * kPageSize;
  const std::optional<FileHit> hit = SearchRange(pageStart, pageStart + kPageSize);
  if (!hit) {
    HitLength = 0;
    SearchIndex = 0;
    StaticText1.SetCaption(std::to_string(SearchPage) + "／--");
    return;
  }
  MessageBeep(static_cast<UINT>(-1));
  FoundIndex = static_cast<int>(hit->offset - pageStart);
  HitLength = static_cast<int>(hit->length);
  hitEncoding_ = hit->encoding;
  StaticText1.SetCaption(FoundBoxText(FoundPage, FoundIndex));
  ShowHit(FoundIndex);
  SearchIndex = FoundIndex + 1;
}

void TBinaryDlg::SpeedButton1Click(ui::Component&) {
  if (searching_) return;  // F3 held down while a search runs
  const std::uint64_t from =
      static_cast<std::uint64_t>(SearchPage) * kPageSize + static_cast<std::uint64_t>(SearchIndex);
  const std::optional<FileHit> hit = SearchRange(from, UINT64_MAX);
  if (closeAfterSearch_) return;
  if (!hit) {
    MyTrackBar1.SetPosition(MyTrackBar1.Max());
    Memo16.SetHint("");
    Memo16.SetSelection(Memo16.SelStart(), 0);
    // The next F3 starts past the last page: it reports the same until the user moves.
    SearchPage = static_cast<std::int64_t>(MyTrackBar1.Max()) + 1;
    SearchIndex = 0;
    ui::App().ShowMessage(kNotFoundMessage);
    return;
  }
  MessageBeep(static_cast<UINT>(-1));
  SearchPage = static_cast<std::int64_t>(hit->offset / kPageSize);
  SearchIndex = static_cast<int>(hit->offset % kPageSize);
  FoundPage = SearchPage;
  FoundIndex = SearchIndex;
  HitLength = static_cast<int>(hit->length);
  hitEncoding_ = hit->encoding;
  ShowPage(static_cast<std::uint64_t>(SearchPage));
  StaticText1.SetCaption(FoundBoxText(FoundPage, FoundIndex));
  ShowHit(SearchIndex);
  SearchIndex = SearchIndex + 1;  // hits may overlap
  MessageBeep(0);
}

void TBinaryDlg::ShowHit(int index) {
  Memo16.SetSelection(0, 0);
  if (HitLength <= 0) return;
  if (CheckBox1.Checked()) {
    // The text shown before the hit and up to its end, as the display decodes it.
    const auto start = static_cast<int>(PageDisplayText(page_, index, charPane_).size());
    const auto end = static_cast<int>(PageDisplayText(page_, index + HitLength, charPane_).size());
    Memo16.SetSelection(start, std::max(0, end - start));
  } else {
    const PaneSelection hex = HexSelectionOf(index, HitLength);
    Memo16.SetSelection(hex.start, hex.length);
    const PaneSelection chars = CharSelectionOf(index, HitLength);
    Memo3.SetSelection(chars.start, chars.length);
  }
  if (query_.mode == search::SearchMode::Text) {
    const std::size_t from = std::min<std::size_t>(index, kPageReadSize);
    const std::size_t count = std::min<std::size_t>(HitLength, kPageReadSize - from);
    const std::string_view bytes(reinterpret_cast<const char*>(page_.bytes.data()) + from, count);
    Memo16.SetHint(HitHintText(DisplayText(bytes, CharPaneFor(hitEncoding_))));
  }
}

void TBinaryDlg::SwitchButton2Click(ui::Component&) {
  if (searching_) return;
  SearchPage = FoundPage;
  ShowPage(static_cast<std::uint64_t>(FoundPage));
  ShowHit(FoundIndex);
  SearchIndex = FoundIndex + 1;
}

// A click sets where the next find-next starts: on the clicked byte.
void TBinaryDlg::Memo16Click(ui::Component&) {
  if (CheckBox1.Checked()) {
    SearchIndex = std::min(Memo16.SelStart(), static_cast<int>(kPageSize) - 1);
    return;
  }
  SearchIndex = std::min(ByteAtHexCaret(Memo16.SelStart()), static_cast<int>(kPageSize) - 1);
  SearchPage = static_cast<std::int64_t>(MyTrackBar1.Position());
}

void TBinaryDlg::Memo3Click(ui::Component&) {
  SearchIndex = std::min(ByteAtCharCaret(Memo3.SelStart()), static_cast<int>(kPageSize) - 1);
  SearchPage = static_cast<std::int64_t>(MyTrackBar1.Position());
}

void TBinaryDlg::AddSavedPositionEntry(const std::string& entry) {
  if (!AddSavedPosition(savedPositions_, entry)) return;
  ComboBox1.SetItems(savedPositions_);
}

void TBinaryDlg::SpeedButton2Click(ui::Component&) {
  if (searching_) return;
  AddSavedPositionEntry(SavedPositionText({FoundPage, FoundIndex, HitLength}, ContentText));
}

void TBinaryDlg::N1Click(ui::Component&) {
  ui::Memo* pane = popupPane_ != nullptr ? popupPane_ : &Memo16;
  if (pane == &Memo1) return;
  const int start = pane->SelStart();
  const int length = pane->SelLength();
  SelectedBytes bytes{start, length};
  if (pane == &Memo3) {
    bytes = BytesOfCharSelection(start, length);
  } else if (!CheckBox1.Checked()) {
    bytes = BytesOfHexSelection(start, length);
  }
  const std::string text = pane->Text();
  const std::string selected =
      start < static_cast<int>(text.size()) ? text.substr(start, length) : std::string();
  const auto page = static_cast<std::int64_t>(MyTrackBar1.Position());
  AddSavedPositionEntry(SavedPositionText({page, bytes.index, bytes.length}, selected));
}

void TBinaryDlg::ComboBox1Change(ui::Component&) {
  const int index = ComboBox1.ItemIndex();
  if (searching_ || index < 0 || index >= static_cast<int>(savedPositions_.size())) return;
  const SavedPosition position = ReadSavedPosition(savedPositions_[index]);
  HitLength = position.length;
  FoundPage =
      std::clamp<std::int64_t>(position.page, 0, static_cast<std::int64_t>(MyTrackBar1.Max()));
  FoundIndex = std::clamp(position.index, 0, static_cast<int>(kPageSize) - 1);
  InComboChange = true;
  SwitchButton2Click(SwitchButton2);
  ui::App().ProcessMessages();
  InComboChange = false;
  StaticText1.SetCaption(FoundBoxText(FoundPage, FoundIndex));
}

void TBinaryDlg::ComboBox1DrawItem(ui::ComboBox&, int index, ui::Canvas& canvas, const RECT& rect,
                                   ui::OwnerDrawState state) {
  const bool selected = (state & ui::odSelected) != 0;
  canvas.SetBrushColor(selected ? kNavy : ComboBox1.EffectiveColor());
  canvas.FillRect(rect);
  canvas.SetFontColor(selected ? ui::clWhite : ui::clWindowText);
  canvas.SetTransparent(true);
  if (setup_.menuImages != nullptr) canvas.Draw(rect.left + 2, rect.top + 1, *setup_.menuImages, 1);
  if (index >= 0 && index < static_cast<int>(savedPositions_.size()))
    canvas.TextOut(rect.left + 19, rect.top + 1, SavedPositionCaption(savedPositions_[index]));
}

// A new content is parsed into a new query first: a content the parse refuses
// changes nothing, and the next find-next searches with the query as it was.
void TBinaryDlg::N5Click(ui::Component&) {
  if (searching_) return;
  auto dialog = ui::MakeForm<viewer::TInputDlg>(ContentText, this);
  dialog->SetList(setup_.searchContentList ? setup_.searchContentList()
                                           : std::vector<std::string>{});
  dialog->SetCaption("検索内容の変更");
  if (dialog->ShowModal() != ui::mrOk) return;
  const std::string content = dialog->Value();
  const search::SearchOptions options =
      setup_.searchOptions ? setup_.searchOptions() : search::SearchOptions{};
  search::SearchQuery parsed;
  const auto report = [](const std::string& message) { ui::App().ShowMessage(message); };
  if (!search::ParseSearchContent(content, options, report, parsed)) return;
  query_ = std::move(parsed);
  parsedContent_ = content;
  ContentText = content;
  if (setup_.contentChanged) setup_.contentChanged(content);
}

void TBinaryDlg::N16101Click(ui::Component&) {
  std::string value = "0x";
  if (ui::App().InputQuery("16進数 -> 10進数", "16進数の入力(0x0100 -> 256)", value))
    ui::App().ShowMessage(HexToDecimalText(value));
}

// A close asked for during a search waits for the search step to end.
void TBinaryDlg::FormCloseQuery(bool& canClose) {
  if (!searching_) return;
  closeAfterSearch_ = true;
  canClose = false;
}

}  // namespace trovex::viewer
