#include "ListViewDriver.h"
#include "MainWindowTest.h"

#include <gtest/gtest.h>

namespace {

class ListKeyboardTest : public TMainWindowTest {};

TEST_F(ListKeyboardTest, TypingTheStartOfANameSelectsTheNextRowThatBeginsWithIt) {
  OpenSession();
  TListView& list = *Form().ListView;
  for (const char* name : {"alpha.dll", "Beta.exe", "bravo.txt", "delta.txt"}) {
    list.AddRow(TaggedRow(name, {{rcName, name}}), 0);
  }
  list.SetFocus();
  const auto type = [&](char letter) {
    SendMessageA(list.Handle(), WM_CHAR, static_cast<BYTE>(letter), 1);
    return list.FirstSelectedRow();
  };
  EXPECT_EQ(type('b'), 1); // letter case aside
  EXPECT_EQ(type('r'), 2); // "br" goes on to the next row that begins so
}

} // namespace
