// The drive combo box lists the drives with their icons, and chooses by letter.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/drive_combo_box.h"
#include "platform/ui/form.h"

namespace trovex::ui {
namespace {

TEST(UiDriveComboBox, ListsTheDrivesAndChoosesByLetter) {
  Form form;
  DriveComboBox DriveComboBox1(&form);
  const std::vector<std::string>& drives = DriveComboBox1.Drives();
  // Wine has C: (the prefix) and Z: (the root of the host).
  EXPECT_NE(std::find(drives.begin(), drives.end(), "C:"), drives.end());
  EXPECT_NE(std::find(drives.begin(), drives.end(), "Z:"), drives.end());
  EXPECT_EQ(SendMessageW(DriveComboBox1.Handle(), CB_GETCOUNT, 0, 0),
            static_cast<LRESULT>(drives.size()));
  EXPECT_EQ(DriveComboBox1.Drive(), 0);
  ASSERT_TRUE(DriveComboBox1.SetDrive('z'));
  EXPECT_EQ(DriveComboBox1.Drive(), 'Z');
  EXPECT_EQ(DriveComboBox1.Text(), "Z:");
  EXPECT_FALSE(DriveComboBox1.SetDrive('?'));
  EXPECT_EQ(DriveComboBox1.Drive(), 'Z');
  DriveComboBox1.Refresh();  // the chosen drive stays chosen
  EXPECT_EQ(DriveComboBox1.Drive(), 'Z');
}

TEST(UiDriveComboBox, TheListOpensAndClosesFromTheProgram) {
  Form form;
  DriveComboBox DriveComboBox1(&form);
  DriveComboBox1.SetBounds(10, 10, 120, 24);
  form.Show();
  EXPECT_FALSE(DriveComboBox1.DroppedDown());
  DriveComboBox1.SetDroppedDown(true);
  EXPECT_TRUE(DriveComboBox1.DroppedDown());
  DriveComboBox1.SetDroppedDown(false);
  EXPECT_FALSE(DriveComboBox1.DroppedDown());
}

TEST(UiDriveComboBox, OnlyTheUsersChoiceRunsTheEvents) {
  Form form;
  DriveComboBox DriveComboBox1(&form);
  std::vector<char> chosen;
  DriveComboBox1.OnChange = [&](Component&) { chosen.push_back(DriveComboBox1.Drive()); };
  DriveComboBox1.SetDrive('C');
  EXPECT_TRUE(chosen.empty());
  const auto& drives = DriveComboBox1.Drives();
  const auto z = std::find(drives.begin(), drives.end(), "Z:") - drives.begin();
  SendMessageW(DriveComboBox1.Handle(), CB_SETCURSEL, static_cast<WPARAM>(z), 0);
  SendMessageW(form.Handle(), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(DriveComboBox1.Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(DriveComboBox1.Handle()));
  EXPECT_EQ(chosen, std::vector<char>{'Z'});
}

// Paints item `index` of the box into a white bitmap and counts the pixels that
// are not white in the columns [from, to).
int InkBetween(DriveComboBox& box, int index, int from, int to) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_COMBOBOX;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(box.Handle()));
  item.itemID = static_cast<UINT>(index);
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = box.Handle();
  item.hDC = dc;
  item.rcItem = RECT{0, 0, 64, 20};
  SendMessageW(GetParent(box.Handle()), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  GdiFlush();
  int ink = 0;
  const auto* pixels = static_cast<const DWORD*>(bits);
  for (int y = 0; y < 20; ++y) {
    for (int x = from; x < to; ++x) ink += (pixels[y * 64 + x] & 0xFFFFFF) != 0xFFFFFF;
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return ink;
}

TEST(UiDriveComboBox, EachItemShowsTheDrivesIconBeforeItsLetter) {
  Form form;
  DriveComboBox DriveComboBox1(&form);
  DriveComboBox1.SetColor(clWhite);
  const auto& drives = DriveComboBox1.Drives();
  const int c = static_cast<int>(std::find(drives.begin(), drives.end(), "C:") - drives.begin());
  EXPECT_GT(InkBetween(DriveComboBox1, c, 0, 20), 20);   // the icon
  EXPECT_GT(InkBetween(DriveComboBox1, c, 22, 64), 10);  // "C:"
}

}  // namespace
}  // namespace trovex::ui
