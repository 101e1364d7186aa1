// The binary view under Wine: opened from a result row of a real search on the
// page of the hit, its panes, the Text display, the extra rows and the .rtf
// text-only reading written through to the main window's boxes, and a file that
// vanished before the viewer opened.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "main_form_test_support.h"
#include "native/zip_writer.h"
#include "result_test_support.h"
#include "viewer/binary_dlg.h"
#include "viewer/input_dlg.h"
#include "windows/support/ui_script.h"

namespace trovex::app {
namespace {

using testing::ModalScript;
using testing::ScriptedPrompts;
using viewer::TBinaryDlg;

class BinaryViewTest : public MainFormTest {
 protected:
  using Look = std::function<void(TBinaryDlg&)>;
  // Searches `content` over the folder and opens the viewer on the row of `name`
  // once for each look, in the same result window; each viewer is closed after.
  void ViewRow(TForm1& form, const std::string& content, const std::string& name,
               const std::vector<Look>& looks) {
    ScriptedPrompts prompts;
    prompts.ExpectMessageBox(IDNO);  // the result window's save question
    ModalScript script;
    result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
      for (std::size_t row = 0; row < view.Rows().size(); ++row)
        view.ListView1.SetSelected(row, view.Rows()[row].path == folder_.PathOf(name));
      view.UpdateMenuStates();
      EXPECT_TRUE(view.BinaryView1.Enabled());
      for (std::size_t i = 0; i < looks.size(); ++i) view.BinaryView1.Click();
      view.Close();
    });
    for (const Look& look : looks) {
      script.Then([&look](ui::Form& viewer) {
        auto* binary = dynamic_cast<TBinaryDlg*>(&viewer);
        ASSERT_NE(binary, nullptr);
        ui::App().ProcessMessages();
        look(*binary);
        binary->Close();
      });
    }
    EXPECT_TRUE(form.StartSearch(Locations(), Content(content)));
    EXPECT_EQ(script.FormsSeen(), 2 + static_cast<int>(looks.size()));
  }
};

TEST_F(BinaryViewTest, OpensOnThePageOfTheRowsHit) {
  std::string bytes(1000, 'a');
  bytes.replace(600, 6, "needle");  // page 2, byte 88
  folder_.File("long.bin", bytes);
  TForm1 form(Environment());
  ViewRow(form, "needle", "long.bin", {[&](TBinaryDlg& viewer) {
            EXPECT_EQ(viewer.Caption(), "バイナリビュー  [ long.bin ]");
            EXPECT_TRUE(viewer.FileOpen());
            EXPECT_EQ(viewer.FileSize, 1000u);
            EXPECT_EQ(viewer.MyTrackBar1.Max(), 3u);
            EXPECT_EQ(viewer.MyTrackBar1.Position(), 2u);
            EXPECT_EQ(viewer.SearchPage, 2);
            EXPECT_EQ(viewer.StaticText1.Caption(), "2／58");  // the hit at byte 0x58
            EXPECT_EQ(viewer.StaticText2.Caption(), "2／3");
            const auto addresses = viewer.Memo1.Lines();
            ASSERT_GE(addresses.size(), 16u);
            EXPECT_EQ(addresses[0], " 000000000200");
            const auto chars = viewer.Memo3.Lines();
            EXPECT_EQ(chars[5], "aaaaaaaaneedleaa");  // bytes 80-95 of the page
            EXPECT_EQ(viewer.Memo16.Lines()[5].substr(24, 17), "6E 65 65 64 6C 65");

            // The slider shows the page it is moved to, one read for the latest move.
            viewer.MyTrackBar1.SetPosition(1);
            viewer.MyTrackBar1.SetPosition(3);
            ui::App().ProcessMessages();
            EXPECT_EQ(viewer.LastShownPage, 3);
            EXPECT_EQ(viewer.Memo1.Lines()[0], " 000000000300");
            // The last page runs past the end of the file: zeros and full stops.
            EXPECT_EQ(viewer.Memo3.Lines()[14], "aaaaaaaa........");
            EXPECT_EQ(viewer.Memo3.Lines()[15], "................");
          }});
}

TEST_F(BinaryViewTest, TheTextDisplayAndTheExtraRowsCarryOver) {
  folder_.File("memo.txt", "議事録\r\nneedle 第二行\r\n");
  TForm1 form(Environment());
  ASSERT_FALSE(form.Options.PrsRowChkBox.Checked());
  int shortHeight = 0;
  ViewRow(form, "needle", "memo.txt",
          {[&](TBinaryDlg& viewer) {
             EXPECT_EQ(viewer.RowCount(), 16);
             EXPECT_EQ(viewer.Memo1.Lines().size(), 16u);
             shortHeight = viewer.Height();
             // 行を余分に表示: the main window's box follows, the window grows two lines.
             viewer.N6.Click();
             EXPECT_TRUE(form.Options.PrsRowChkBox.Checked());
             EXPECT_EQ(viewer.RowCount(), 18);
             EXPECT_GT(viewer.Height(), shortHeight);
             ASSERT_EQ(viewer.Memo1.Lines().size(), 18u);
             EXPECT_EQ(viewer.Memo1.Lines()[17], " 000000000110");

             viewer.CheckBox1.SetChecked(true);
             EXPECT_FALSE(viewer.StaticText5.Visible());
             EXPECT_LE(viewer.AddressWidth(), 1);
             EXPECT_EQ(viewer.Memo16.Text(), "議事録\r\nneedle 第二行\r\n");
           },
           // The next viewer of the window starts with the extra rows and in the text display.
           [&](TBinaryDlg& viewer) {
             EXPECT_EQ(viewer.RowCount(), 18);
             EXPECT_GT(viewer.Height(), shortHeight);
             EXPECT_TRUE(viewer.CheckBox1.Checked());
             viewer.CheckBox1.SetChecked(false);
             EXPECT_TRUE(viewer.StaticText5.Visible());
             EXPECT_GT(viewer.AddressWidth(), 50);
             // Decoded as Shift-JIS, the hit's encoding: 議事録 is readable beside its bytes.
             EXPECT_EQ(viewer.Memo3.Lines()[0].substr(0, 6), "議事録");
             viewer.N6.Click();
           }});
  EXPECT_FALSE(form.Options.PrsRowChkBox.Checked());
}

TEST_F(BinaryViewTest, RtfPagesAreTextWithTextOnlyOn) {
  folder_.File("doc.RTF", "{\\rtf1\\ansi {\\b needle} plain \\'93\\'fa}");
  TForm1 form(Environment());
  ViewRow(form, "needle", "doc.RTF", {[&](TBinaryDlg& viewer) {
            EXPECT_EQ(viewer.FileExt, ".rtf");
            EXPECT_EQ(viewer.Memo3.Lines()[0], "{\\rtf1\\ansi {\\b ");  // raw bytes
            viewer.N8.Click();  // テキストの書式情報を無視する
            EXPECT_TRUE(form.Options.TextOnlyChkBox.Checked());
            viewer.ShowCurrentPage();
            const std::string text(viewer.Page().Text(256));
            EXPECT_EQ(text.find('\\'), std::string::npos);
            EXPECT_NE(text.find("needle"), std::string::npos);
            EXPECT_NE(text.find("日"), std::string::npos);
            viewer.N8.Click();
          }});
  EXPECT_FALSE(form.Options.TextOnlyChkBox.Checked());
}

// A .gz row's offset counts in the decompressed text: with text-only on the viewer
// opens on the hit in that text; off, it shows the archive's own bytes.
TEST_F(BinaryViewTest, ArchivePagesAreTheirTextWithTextOnlyOn) {
  const std::string text = std::string(600, 'x') + "needle";
  const std::string gz = trovex::testing::Gzipped(text);
  folder_.File("log.txt.gz", gz);
  TForm1 form(Environment());
  form.Options.TextOnlyChkBox.SetChecked(true);
  ViewRow(form, "needle", "log.txt.gz", {[&](TBinaryDlg& viewer) {
            EXPECT_EQ(viewer.FileSize, text.size());
            EXPECT_EQ(viewer.MyTrackBar1.Position(), 2u);
            EXPECT_EQ(viewer.Page().Text(256).substr(88), "needle");
            viewer.N8.Click();
            EXPECT_FALSE(form.Options.TextOnlyChkBox.Checked());
            EXPECT_EQ(viewer.FileSize, gz.size());
            EXPECT_EQ(viewer.Page().Text(2), "\x1F\x8B");
            viewer.N8.Click();
            EXPECT_EQ(viewer.FileSize, text.size());
          }});
}

// A file removed after the search: the viewer shows an empty file and says so.
TEST_F(BinaryViewTest, AFileThatVanishedShowsAnEmptyPage) {
  const std::string path = folder_.File("gone.txt", "needle");
  TForm1 form(Environment());
  ScriptedPrompts prompts;
  prompts.ExpectMessageBox(IDNO);
  ModalScript script;
  result_test::ThenFinishedResultWindow(script, [&](results::TViewDlg& view) {
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    view.ListView1.SetSelected(0, true);
    view.BinaryView1.Click();
    view.Close();
  });
  script.Then([&](ui::Form& viewer) {
    auto& binary = static_cast<TBinaryDlg&>(viewer);
    EXPECT_FALSE(binary.FileOpen());
    EXPECT_EQ(binary.MyTrackBar1.Max(), 0u);
    EXPECT_EQ(binary.StaticText2.Caption(), "0／0");
    EXPECT_EQ(binary.Memo16.Lines()[0], "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(binary.Panel2.PanelText(0), " ファイルを開けませんでした。");
    binary.Close();
  });
  EXPECT_TRUE(form.StartSearch(Locations(), Content("needle")));
  EXPECT_EQ(script.FormsSeen(), 3);
}

// The viewer finds the content itself: the hit of the start page highlighted, F3
// to the next hit and to the end, a new content through the input dialog, and a
// saved position opened again.
TEST_F(BinaryViewTest, FindsHighlightsAndReturnsToHits) {
  std::string bytes(1200, 'a');
  bytes.replace(600, 6, "needle");   // page 2, byte 0x58
  bytes.replace(1020, 6, "needle");  // page 3, byte 0xFC, running on into page 4
  bytes.replace(700, 5, "other");
  folder_.File("hits.bin", bytes);
  TForm1 form(Environment());
  ViewRow(form, "needle", "hits.bin", {[&](TBinaryDlg& viewer) {
            EXPECT_EQ(viewer.StaticText1.Caption(), "2／58");
            EXPECT_EQ(viewer.HitLength, 6);
            EXPECT_EQ(viewer.Memo16.SelStart(), 8 * 3 + 5 * 49);
            EXPECT_EQ(viewer.Memo16.SelLength(), 17);
            EXPECT_EQ(viewer.Memo3.SelStart(), 8 + 5 * 18);
            EXPECT_EQ(viewer.Memo3.SelLength(), 6);
            EXPECT_EQ(viewer.Memo16.Hint(), "needle");

            // F3: the next hit, across the page end.
            viewer.SpeedButton1Click(viewer.SpeedButton1);
            EXPECT_EQ(viewer.MyTrackBar1.Position(), 3u);
            EXPECT_EQ(viewer.StaticText1.Caption(), "3／FC");
            EXPECT_EQ(viewer.Memo3.SelStart(), 12 + 15 * 18);
            EXPECT_EQ(viewer.Memo3.SelLength(), 6);  // up to the end of the last row shown
            // Saved, then left, then opened again from the list.
            viewer.SpeedButton2Click(viewer.SpeedButton2);
            ASSERT_EQ(viewer.SavedPositions().size(), 1u);
            EXPECT_EQ(viewer.SavedPositions()[0], "3/FC%6=needle");

            {
              ScriptedPrompts prompts;
              prompts.ExpectMessage();
              viewer.SpeedButton1Click(viewer.SpeedButton1);
              EXPECT_EQ(prompts.Texts(), (std::vector<std::string>{"見つかりません！"}));
              EXPECT_EQ(viewer.MyTrackBar1.Position(), viewer.MyTrackBar1.Max());
              prompts.ExpectMessage();
              viewer.SpeedButton1Click(viewer.SpeedButton1);  // again, until the user moves
            }
            viewer.ComboBox1.SetItemIndex(0);
            viewer.ComboBox1Change(viewer.ComboBox1);
            EXPECT_EQ(viewer.MyTrackBar1.Position(), 3u);
            EXPECT_EQ(viewer.FoundIndex, 0xFC);
            EXPECT_EQ(viewer.StaticText1.Caption(), "3／FC");
            EXPECT_EQ(viewer.Memo16.SelStart(), 12 * 3 + 15 * 49);

            // A new content through the input dialog: the next F3 looks for it.
            {
              ModalScript inputs;
              inputs.Then([](ui::Form& dialog) {
                auto& input = static_cast<viewer::TInputDlg&>(dialog);
                EXPECT_EQ(input.Caption(), "検索内容の変更");
                input.ComboBox1.SetText("other");
                input.OKBtn.Click();
              });
              viewer.N5Click(viewer.N5);
            }
            EXPECT_EQ(viewer.ContentText, "other");
            viewer.MyTrackBar1.SetPosition(0);
            ui::App().ProcessMessages();
            viewer.MyTrackBar1Released(viewer.MyTrackBar1);
            viewer.SpeedButton1Click(viewer.SpeedButton1);
            EXPECT_EQ(viewer.StaticText1.Caption(), "2／BC");
            EXPECT_EQ(viewer.HitLength, 5);

            // A content the parse refuses changes nothing.
            {
              ScriptedPrompts prompts;
              prompts.ExpectMessage();
              ModalScript inputs;
              inputs.Then([](ui::Form& dialog) {
                auto& input = static_cast<viewer::TInputDlg&>(dialog);
                input.ComboBox1.SetText(",0xZZ");
                input.OKBtn.Click();
              });
              viewer.N5Click(viewer.N5);
            }
            EXPECT_EQ(viewer.ContentText, "other");
          }});
}

}  // namespace
}  // namespace trovex::app
