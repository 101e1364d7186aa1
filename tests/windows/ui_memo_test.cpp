// Memo lines: they round-trip through the text with CR LF after each line, read
// back from any line ends, and an added line goes at the end and into view.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/memo.h"

namespace trovex::ui {
namespace {

using Lines = std::vector<std::string>;

TEST(UiMemo, LinesRoundTripWithCrLfAfterEachLine) {
  Form form;
  Memo Memo1(&form, MemoStyle{ScrollBars::Both, false, true});
  const Lines log{"2006/08/23 09:49:05 シャットダウンできませんでした", "", "表示ソフト"};
  Memo1.SetLines(log);
  EXPECT_EQ(Memo1.Text(),
            "2006/08/23 09:49:05 シャットダウンできませんでした\r\n\r\n表示ソフト\r\n");
  EXPECT_EQ(Memo1.Lines(), log);
  Memo1.SetLines({});
  EXPECT_EQ(Memo1.Text(), "");
  EXPECT_TRUE(Memo1.Lines().empty());
}

TEST(UiMemo, LinesAreReadFromAnyLineEnd) {
  Form form;
  Memo Memo1(&form, MemoStyle{ScrollBars::Vertical, true, true});
  Memo1.SetText("エラー\r\nb\nc\rd");
  EXPECT_EQ(Memo1.Lines(), (Lines{"エラー", "b", "c", "d"}));
  Memo1.SetText("only");
  EXPECT_EQ(Memo1.Lines(), (Lines{"only"}));
}

TEST(UiMemo, AddedLinesGoAtTheEndAndComeIntoView) {
  Form form;
  form.SetClientSize(300, 200);
  Memo Memo1(&form, MemoStyle{ScrollBars::Vertical, true, true});
  Memo1.SetBounds(0, 0, 200, 60);
  Memo1.SetText("未完の行");  // no line end yet: the next line starts on a line of its own
  Memo1.AddLine("一");
  EXPECT_EQ(Memo1.Lines(), (Lines{"未完の行", "一"}));
  for (int i = 0; i < 40; ++i) Memo1.AddLine("行 " + std::to_string(i));
  EXPECT_EQ(Memo1.Lines().size(), 42u);
  EXPECT_EQ(Memo1.Lines().back(), "行 39");
  EXPECT_GT(Memo1.TopLine(), 30);
  SendMessageW(Memo1.Handle(), EM_LINESCROLL, 0, -100);
  ASSERT_EQ(Memo1.TopLine(), 0);
  Memo1.ScrollToEnd();
  EXPECT_GT(Memo1.TopLine(), 30);
}

TEST(UiMemo, ALongLogKeepsGrowingPastTheEditBoxDefaultLimit) {
  Form form;
  Memo Memo1(&form, MemoStyle{ScrollBars::Both, false, true});
  Memo1.AddLine("最初の行");
  const std::string line(60, 'x');
  for (int i = 0; i < 1000; ++i) Memo1.AddLine(line + std::to_string(i));  // 63,000 characters
  const Lines lines = Memo1.Lines();
  ASSERT_EQ(lines.size(), 1001u);
  EXPECT_EQ(lines.front(), "最初の行");
  EXPECT_EQ(lines.back(), line + "999");
  Memo1.SetText("終わりに改行なし");
  Memo1.AddLine("次");
  EXPECT_EQ(Memo1.Lines(), (Lines{"終わりに改行なし", "次"}));
}

TEST(UiMemo, ReadOnlyMemoRefusesTyping) {
  Form form;
  Memo Memo1(&form);
  Memo1.SetLines({"ログ"});
  Memo1.SetReadOnly(true);
  SendMessageW(Memo1.Handle(), WM_CHAR, L'x', 1);
  EXPECT_EQ(Memo1.Lines(), (Lines{"ログ"}));
  Memo1.SetReadOnly(false);
  Memo1.SetSelection(0, 0);
  SendMessageW(Memo1.Handle(), WM_CHAR, L'x', 1);
  EXPECT_EQ(Memo1.Lines(), (Lines{"xログ"}));
}

}  // namespace
}  // namespace trovex::ui
