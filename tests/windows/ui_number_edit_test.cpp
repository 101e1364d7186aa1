// A numbers-only box refuses typed letters and takes digits.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/ui/edit.h"
#include "platform/ui/form.h"

namespace trovex::ui {
namespace {

void Type(Edit& edit, const wchar_t* keys) {
  for (const wchar_t* key = keys; *key != 0; ++key) {
    SendMessageW(edit.Handle(), WM_CHAR, *key, 1);
  }
}

TEST(UiNumberEdit, OnlyDigitsCanBeTyped) {
  Form form;
  Edit NumberEdit1(&form);
  NumberEdit1.SetNumbersOnly(true);
  Type(NumberEdit1, L"2a0ー06");  // a letter and a long vowel mark between digits
  EXPECT_EQ(NumberEdit1.Text(), "2006");
  NumberEdit1.SetNumbersOnly(false);
  Type(NumberEdit1, L"x");
  EXPECT_EQ(NumberEdit1.Text(), "2006x");
}

}  // namespace
}  // namespace trovex::ui
