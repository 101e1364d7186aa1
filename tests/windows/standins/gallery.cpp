// A window with every control of the window library, filled with sample data, for a
// person to look at (scripts/controls-gallery.sh takes a picture of it).
#include <windows.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/main_images.h"
#include "platform/shell/shell_services.h"
#include "platform/ui/application.h"
#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/date_time_picker.h"
#include "platform/ui/drive_combo_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/label.h"
#include "platform/ui/list_box.h"
#include "platform/ui/list_view.h"
#include "platform/ui/memo.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel.h"
#include "platform/ui/progress_bar64.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/status_bar.h"
#include "platform/ui/up_down.h"
#include "search/search_conditions.h"

namespace trovex {
namespace {

using namespace ui;

class GalleryForm : public Form {
 public:
  GalleryForm()
      : SpeedButton1(this, "検索"),
        SpeedButton2(this, "ログ"),
        SpeedButton3(this, "ヘルプ"),
        Label1(this, "検索する内容："),
        Edit1(this),
        Button1(this, "検索開始"),
        Button2(this, "キャンセル"),
        CheckBox1(this, "大文字と小文字を区別する"),
        CheckBox2(this, "全角と半角を区別する"),
        RadioButton1(this, "ファイル名"),
        RadioButton2(this, "ファイルの内容"),
        RadioGroup1(this, "表示"),
        Label2(this, "サイズ："),
        NumberEdit2(this),
        UpDown1(this),
        ComboBox1(this, ComboStyle::DropDownList),
        ComboBox2(this, ComboStyle::DropDownList),
        Label9(this, "範囲 "),
        DateTimePicker1(this),
        Label6(this, "～ "),
        DateTimePicker2(this),
        DriveComboBox1(this),
        ListBox1(this, ListBoxStyle::OwnerDrawFixed),
        StaticText1(this, "枠付きの静的テキスト"),
        ListView1(this),
        Label3(this, "エラーログ："),
        Memo1(this, MemoStyle{ScrollBars::Both, false, true}),
        Label4(this, "進行状況："),
        ProgressBar1(this),
        ProgressBar2(this),
        StatusBar1(this) {
    SetText("コントロール一覧");
    SetClientSize(720, 500);
    app::FillButtonGlyphs(Glyphs);

    MainMenu1.Add(FileMenu);
    FileMenu.Add(Exit1);
    MainMenu1.Add(ViewMenu);
    ViewMenu.Add(LargeIcon1);
    ViewMenu.Add(List1);
    for (MenuItem* item : {&LargeIcon1, &List1}) item->SetRadioItem(true);
    List1.SetChecked(true);
    Exit1.OnClick = [this](Component&) { Close(); };
    SetMenu(&MainMenu1);

    // The button row.
    SpeedButton1.SetGlyph(&Glyphs, app::kGlyphStart);
    SpeedButton2.SetGlyph(&Glyphs, app::kGlyphLog);
    SpeedButton3.SetGlyph(&Glyphs, app::kGlyphHelp);
    SpeedButton1.SetBounds(4, 4, 70, 26);
    SpeedButton2.SetBounds(76, 4, 64, 26);
    SpeedButton3.SetBounds(142, 4, 74, 26);
    SpeedButton2.SetFlat(false);
    SpeedButton3.SetEnabled(false);

    // Left column: the search content and the options.
    Label1.SetBounds(8, 40, 100, 16);
    Edit1.SetBounds(8, 58, 340, 21);
    Edit1.SetText("表示ソフト 検索");
    Button1.SetBounds(8, 86, 90, 25);
    Button2.SetBounds(104, 86, 90, 25);
    Button2.SetEnabled(false);
    CheckBox1.SetBounds(8, 118, 200, 20);
    CheckBox1.SetChecked(true);
    CheckBox2.SetBounds(8, 140, 200, 20);
    RadioButton1.SetBounds(214, 118, 130, 20);
    RadioButton2.SetBounds(214, 140, 130, 20);
    RadioButton2.SetChecked(true);
    RadioGroup1.SetBounds(8, 164, 340, 66);
    RadioGroup1.SetItems({"16進数で表示する", "1バイト文字で表示する", "大きいアイコン", "一覧"});
    RadioGroup1.SetColumns(2);
    RadioGroup1.SetItemIndex(0);

    Label2.SetBounds(8, 242, 50, 16);
    NumberEdit2.SetBounds(60, 239, 60, 21);
    NumberEdit2.SetNumbersOnly(true);
    UpDown1.SetRange(1, 1024);
    UpDown1.SetWrap(true);
    UpDown1.SetAssociate(&NumberEdit2);
    UpDown1.SetPosition(1024);
    ComboBox1.SetBounds(128, 239, 60, 21);
    ComboBox1.SetItems({"B", "KB", "MB", "GB"});
    ComboBox1.SetItemIndex(1);
    ComboBox2.SetBounds(194, 239, 154, 21);
    ComboBox2.SetItems({"以上", "以下"});
    ComboBox2.SetItemIndex(0);

    Label9.SetBounds(8, 272, 36, 16);
    DateTimePicker1.SetBounds(44, 268, 130, 22);
    DateTimePicker1.SetValue(search::kDatePickerInitialValue);
    Label6.SetBounds(180, 272, 24, 16);
    DateTimePicker2.SetBounds(204, 268, 130, 22);
    DateTimePicker2.SetValue(search::kDatePickerInitialValue + 30);
    DateTimePicker2.SetEnabled(false);

    DriveComboBox1.SetBounds(8, 300, 160, 22);
    DriveComboBox1.SetDrive('C');
    ListBox1.SetBounds(176, 300, 172, 62);
    ListBox1.SetItemHeight(19);
    ListBox1.SetItems({"C:\\", "C:\\文書\\検索", "Z:\\tmp"});
    ListBox1.SetItemIndex(1);
    ListBox1.OnDrawItem = Bind(this, &GalleryForm::ListBox1DrawItem);
    StaticText1.SetBounds(8, 334, 160, 20);
    StaticText1.SetAutoSize(false);
    StaticText1.SetBorderStyle(StaticBorder::Sunken);

    // Right column: the list view's place, the log and the progress bars.
    // A result list: owner data over the rows below, the system's icons and type
    // names, odd rows coloured, the third row cut (dimmed).
    ListView1.SetBounds(360, 40, 352, 190);
    ListView1.SetRowSelect(true);
    ListView1.SetMultiSelect(true);
    ListView1.AddColumn({"ファイル名", 110});
    ListView1.AddColumn({"内容", 110});
    ListView1.AddColumn({"種類", 70});
    ListView1.AddColumn({"サイズ", 50, TextAlign::Right});
    ListView1.SetSmallImages(os_shell::Services().imageLists->Small(), true);
    for (const char* name :
         {"報告書.txt", "議事録.doc", "表示ソフト.rtf", "memo.txt", "予定表.xls"}) {
      const std::string path = std::string("C:\\文書\\") + name;
      const os_shell::FileInfo info =
          os_shell::Services().fileInfo->Query(path, os_shell::UnknownPathAs::File);
      rows_.push_back(
          {name, "…検索した内容が見つかりました…", info.typeName, "12KB", info.iconIndex});
    }
    ListView1.OnData = [this](std::size_t row, int column) -> std::string {
      const GalleryRow& r = rows_[row];
      return column == 0 ? r.name : column == 1 ? r.content : column == 2 ? r.type : r.size;
    };
    ListView1.OnImage = [this](std::size_t row) { return rows_[row].icon; };
    ListView1.OnRowColor = [](std::size_t row) { return row % 2 == 1 ? Color(0xF0E8E0) : clNone; };
    ListView1.OnCut = [](std::size_t row) { return row == 2; };
    ListView1.SetRowCount(rows_.size());
    ListView1.SetSelected(1, true);
    Label3.SetBounds(360, 242, 100, 16);
    Memo1.SetBounds(360, 260, 352, 102);
    Memo1.SetLines({"2006/08/23 09:49:05 電源を切れませんでした。",
                    "2006/08/23 09:50:12 ファイルを開けません: C:\\文書\\表示ソフト.txt",
                    "2006/08/24 18:02:40 ログオフできませんでした。"});
    Memo1.SetReadOnly(true);

    Label4.SetBounds(8, 376, 100, 16);
    constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max();
    ProgressBar1.SetBounds(8, 394, 704, 18);
    ProgressBar1.SetMax(kHuge);
    ProgressBar1.SetPosition(kHuge / 3 * 2);
    ProgressBar2.SetBounds(8, 418, 704, 18);
    ProgressBar2.SetMax(15);
    ProgressBar2.SetPosition(9);
    ProgressBar2.SetBarColor(0x000080);
    ProgressBar2.SetGradientEndColor(0x4040FF);

    StatusBar1.SetPanels({StatusPanel{200, false, "検索中: C:\\文書"}, StatusPanel{-1, false, ""}});
    StatusBar1.SetPanelText(1, "12 件 見つかりました");

    // Anchors keep the right column and the bars at the window's edges.
    ListView1.SetAnchors(akLeft | akTop | akRight);
    Memo1.SetAnchors(akLeft | akTop | akRight | akBottom);
    for (Control* bar :
         {static_cast<Control*>(&ProgressBar1), static_cast<Control*>(&ProgressBar2)}) {
      bar->SetAnchors(akLeft | akRight | akBottom);
    }
    Label4.SetAnchors(akLeft | akBottom);
  }

 private:
  void ListBox1DrawItem(ListBox& box, int index, Canvas& canvas, const RECT& rect,
                        OwnerDrawState /*state*/) {
    canvas.FillRect(rect);
    canvas.SetTransparent(true);
    const std::string path = box.Item(index);
    // The drive letter in bold below the root, then a picture and the rest.
    int x = rect.left + 1;
    if (path.size() > 3) {
      FontInfo bold = box.Font();
      bold.bold = true;
      canvas.SetFont(bold);
      canvas.SetFontColor(canvas.BrushColor() == clHighlight ? clHighlightText : clWindowText);
      canvas.TextOut(x, rect.top + 2, path.substr(0, 1));
      x += canvas.TextWidth(path.substr(0, 1)) + 3;
      FontInfo normal = box.Font();
      canvas.SetFont(normal);
      canvas.SetFontColor(canvas.BrushColor() == clHighlight ? clHighlightText : clWindowText);
    }
    canvas.SetPen(0x006080);
    canvas.SetBrushColor(0x60DCFF);
    canvas.Polygon({{x + 1, rect.top + 5},
                    {x + 6, rect.top + 5},
                    {x + 7, rect.top + 7},
                    {x + 14, rect.top + 7},
                    {x + 14, rect.top + 15},
                    {x + 1, rect.top + 15}});
    canvas.TextOut(x + 18, rect.top + 2, path);
  }

  ImageList Glyphs;
  MainMenu MainMenu1;
  MenuItem FileMenu{"ファイル(&F)"};
  MenuItem Exit1{"終了(&X)"};
  MenuItem ViewMenu{"表示(&V)"};
  MenuItem LargeIcon1{"大きいアイコン"};
  MenuItem List1{"一覧"};

  SpeedButton SpeedButton1;
  SpeedButton SpeedButton2;
  SpeedButton SpeedButton3;
  Label Label1;
  Edit Edit1;
  Button Button1;
  Button Button2;
  CheckBox CheckBox1;
  CheckBox CheckBox2;
  RadioButton RadioButton1;
  RadioButton RadioButton2;
  RadioGroup RadioGroup1;
  Label Label2;
  Edit NumberEdit2;
  UpDown UpDown1;
  ComboBox ComboBox1;
  ComboBox ComboBox2;
  Label Label9;
  DateTimePicker DateTimePicker1;
  Label Label6;
  DateTimePicker DateTimePicker2;
  DriveComboBox DriveComboBox1;
  ListBox ListBox1;
  StaticText StaticText1;
  ListView ListView1;
  Label Label3;
  Memo Memo1;
  Label Label4;
  ProgressBar64 ProgressBar1;
  ProgressBar64 ProgressBar2;
  StatusBar StatusBar1;

 private:
  struct GalleryRow {
    std::string name, content, type, size;
    int icon;
  };
  std::vector<GalleryRow> rows_;
};

}  // namespace
}  // namespace trovex

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  trovex::ui::App().SetTitle("Trovex β");
  auto form = trovex::ui::MakeForm<trovex::GalleryForm>();
  trovex::ui::App().Run(*form);
  return 0;
}
