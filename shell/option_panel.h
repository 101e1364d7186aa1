#pragma once
// The search option panel: the main window's right column with the search content
// box and the options that qualify a search. The main window creates it and
// places it; its controls and handlers live here. Start reads it through one
// mapping into the core's search options (ReadSearchOptions).
//
// The column holds Edit1 and OptionChkBox; below them, in the part of the window
// that shows only when it is extended, the view option panel Panel5 and, over it,
// the search option panel Panel2.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/date_time_picker.h"
#include "platform/ui/edit.h"
#include "platform/ui/image_list.h"
#include "platform/ui/label.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/speed_button.h"
#include "platform/ui/up_down.h"
#include "results/program_state.h"
#include "search/search_options.h"

namespace trovex::shell {

class OptionPanel : public ui::Panel {
 public:
  OptionPanel(ui::Control* parent, results::ProgramState& state);

  results::ProgramState& State() { return state_; }

  // Always visible.
  ui::Label Label2;
  ui::Edit Edit1;                // the search content
  ui::SpeedButton SpeedButton9;  // opens the conversion dialog
  ui::CheckBox OptionChkBox;     // opens Panel2

  // The view option panel and its pages (settings kept between runs).
  ui::Panel Panel5;
  ui::Label Label4;  // "オプション"
  ui::PageControl PageControl1;
  ui::TabSheet TabSheet1;  // 検索ファイルビュー
  ui::TabSheet TabSheet2;  // バイナリビュー
  ui::RadioGroup RadioGroup1;
  ui::CheckBox PrsRowChkBox;
  ui::CheckBox TextOnlyChkBox;

  // The search option panel.
  ui::Panel Panel2;
  ui::CheckBox BigSmlChkBox;
  ui::CheckBox FullHalfChkBox;
  ui::CheckBox Utf16ChkBox;
  ui::CheckBox CheckBox2;     // skip line breaks
  ui::CheckBox CheckBox1;     // a comma is content
  ui::Label Label10;          // "文字コード"
  ui::ComboBox CodeComboBox;  // the encodings a text is searched in
  ui::CheckBox InsideChkBox;  // documents and archives through their text
  ui::CheckBox RegexChkBox;   // the content is a regular expression
  ui::CheckBox SysChkBox;
  ui::CheckBox HideChkBox;
  ui::Label Label3;
  ui::Label Label5;
  ui::Edit Edit2;  // name filter
  ui::CheckBox JogaiChkBox1;
  ui::CheckBox DateChkMenu;  // Tag 0
  ui::Label Label7;
  ui::Edit NumberEdit1;  // year
  ui::Label Label9;
  ui::DateTimePicker DateTimePicker1;
  ui::Label Label6;
  ui::DateTimePicker DateTimePicker2;
  ui::CheckBox JogaiChkBox2;
  ui::CheckBox SizeChkBox;  // Tag 1
  ui::Edit NumberEdit2;     // size number
  ui::UpDown UpDown1;
  ui::ComboBox ComboBox1;  // size unit
  ui::ComboBox ComboBox2;  // at most / at least
  ui::Label Label8;        // the size limit

  // What Start searches with, read from the controls now.
  search::SearchOptions ReadSearchOptions() const;
  // The name fragments Start would use now: they follow BigSmlChkBox as it is,
  // not as it was when Edit2 was typed.
  std::vector<std::string> NameTerms() const;
  // The size bound shown in Label8, in bytes.
  std::uint64_t SizeLimit() const;

  // The last accepted conversion: the text converted and its encoding. Cleared as
  // soon as Edit1 no longer holds the byte list it gave, and by ClearConversion
  // (the result window, after saving).
  const std::string& ConversionSource() const { return conversionSource_; }
  bool FromUtf8() const { return fromUtf8_; }
  bool FromUtf16() const { return fromUtf16_; }
  void ClearConversion();

  // The main window's "拡大" button; its clicks go to SpeedButon1Click.
  void SetExtendButton(ui::SpeedButton* button);
  bool Extended() const { return extended_; }
  // The view options and the encoding choice as read from the settings (after the
  // main window read them).
  void ShowStoredViewOptions();

  void Edit1Change(ui::Component& sender);
  void SpeedButton9Click(ui::Component& sender);
  void OptionChkBoxClick(ui::Component& sender);
  void SpeedButon1Click(ui::Component& sender);
  void Edit2Change(ui::Component& sender);
  void DateChkMenuClick(ui::Component& sender);
  void NumberEdit1Change(ui::Component& sender);
  void NumberEdit2Change(ui::Component& sender);

 private:
  void PlaceControls();
  void SetTexts();
  void WireHandlers();
  bool ExtendButtonDown() const { return extendButton_ != nullptr && extendButton_->Down(); }
  // The two window heights.
  void Extend();
  void Shrink();
  void ShowLowerPart();

  results::ProgramState& state_;
  ui::ImageList conversionGlyph_;
  ui::SpeedButton* extendButton_ = nullptr;
  bool extended_ = false;
  int compactClientHeight_ = 0;
  std::string acceptedList_;
  std::string conversionSource_;
  bool fromUtf8_ = false;
  bool fromUtf16_ = false;
};

}  // namespace trovex::shell
