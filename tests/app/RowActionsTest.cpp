#include "MainWindowTest.h"
#include "ResultRowFixtures.h"

#include "shell/ShellDrivers.h"
#include "support/DialogScript.h"
#include "support/Pump.h"
#include "support/TempTree.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace {

// The acts of a user on the rows of a search's result, through the messages they produce.
class RowActionsTest : public TMainWindowTest {
protected:
  // Searches the tree for its text files; answers the row of the one named, selected alone.
  int SearchAndSelect(const std::string& name) {
    OpenSession();
    EXPECT_TRUE(SearchAndWait(Session(), FTree.Root(), "*.txt", false));
    const int row = RowOf(List(), FTree.Root() + "\\", name);
    EXPECT_GE(row, 0) << name;
    if (row >= 0) {
      List().SetRowSelected(row, true);
    }
    return row;
  }
  TListView& List() { return *Form().ListView; }
  static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  // A key pressed while the list has the focus, handled before this returns.
  void PressKey(WORD key) {
    List().SetFocus();
    SendMessageA(List().Handle(), WM_KEYDOWN, key, 1);
  }
  // F2, the text typed into the edit box, Enter.
  void EditCaption(const std::string& text) {
    PressKey(VK_F2);
    const auto edit =
        reinterpret_cast<HWND>(SendMessageA(List().Handle(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, text.c_str());
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_FALSE(List().IsEditing());
  }
  LPARAM RowPoint(int row) {
    RECT label = {};
    label.left = LVIR_LABEL;
    SendMessageA(List().Handle(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
    return MAKELPARAM(label.left + 4, (label.top + label.bottom) / 2);
  }
  POINT MenuPlace() {
    POINT place = {24, 105};
    ClientToScreen(Form().Handle(), &place);
    return place;
  }

  TTempTree FTree;
};

TEST_F(RowActionsTest, TheContextMenuOpensInOnePlaceWithoutRenameAndItsDeleteDeletes) {
  OwnTrash();
  FTree.File("menu.txt", "text");
  const int row = SearchAndSelect("menu.txt");
  ASSERT_GE(row, 0);
  const HWND list = List().Handle();
  SetCursorPos(700, 600);
  {
    // The keyboard's menu key, down and up.
    TMenuScript dismiss;
    List().SetFocus();
    PostMessageA(list, WM_KEYDOWN, VK_APPS, 1);
    PostMessageA(list, WM_KEYUP, VK_APPS, static_cast<LPARAM>(0xC0000001));
    ASSERT_TRUE(PumpUntil([&] { return dismiss.Shown(); }));
    EXPECT_EQ(dismiss.Place().x, MenuPlace().x);
    EXPECT_EQ(dismiss.Place().y, MenuPlace().y);
    const std::vector<std::string>& items = dismiss.Items();
    EXPECT_NE(std::find(items.begin(), items.end(), "Delete"), items.end());
    EXPECT_EQ(std::find(items.begin(), items.end(), "Rename"), items.end());
  }
  EXPECT_TRUE(Exists(FTree.Path("menu.txt")));
  EXPECT_EQ(List().ItemCount(), 1);

  SetCursorPos(30, 900);
  TMenuScript choose("Delete");
  TDialogScript confirm({Press(IDYES)});
  PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, RowPoint(row));
  PostMessageA(list, WM_RBUTTONUP, 0, RowPoint(row));
  ASSERT_TRUE(PumpUntil([&] { return confirm.Done() && !Exists(FTree.Path("menu.txt")); }));
  EXPECT_EQ(choose.Place().x, MenuPlace().x);
  EXPECT_EQ(choose.Place().y, MenuPlace().y);
  // The row goes with its file.
  EXPECT_TRUE(PumpUntil([&] { return List().ItemCount() == 0; }));
}

TEST_F(RowActionsTest, ANewNameTypedOverTheCaptionRenamesTheFileAndATakenOneNothing) {
  FTree.File("old.txt");
  FTree.File("taken.txt");
  const int row = SearchAndSelect("old.txt");
  ASSERT_GE(row, 0);
  {
    // The caption keeps the extension where the shell hides extensions, so that the row
    // still names its file.
    const THiddenExtensions hidden;
    EditCaption("new.txt");
  }
  EXPECT_EQ(List().ItemText(row, rcName), "new.txt");
  EXPECT_TRUE(Exists(FTree.Path("new.txt")));
  EXPECT_FALSE(Exists(FTree.Path("old.txt")));
  {
    TDialogScript anyBox({}); // Windows explains the refusal; Wine says nothing
    EditCaption("taken.txt");
  }
  EXPECT_EQ(List().ItemText(row, rcName), "new.txt");
  EXPECT_TRUE(Exists(FTree.Path("new.txt")));
  EXPECT_TRUE(Exists(FTree.Path("taken.txt")));
}

TEST_F(RowActionsTest, F2WithoutASelectionAndDeleteWhileEditingDoNothing) {
  FTree.File("a.txt");
  const int row = SearchAndSelect("a.txt");
  ASSERT_GE(row, 0);
  List().SetRowSelected(row, false);
  PressKey(VK_F2);
  EXPECT_FALSE(List().IsEditing());

  List().SetRowSelected(row, true);
  PressKey(VK_F2);
  ASSERT_TRUE(List().IsEditing());
  TDialogScript none({});
  // The list's own Delete, whatever the edit box does with its own.
  SendMessageA(List().Handle(), WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_EQ(none.Seen().size(), 0u);
  EXPECT_TRUE(List().IsEditing());
  EXPECT_TRUE(Exists(FTree.Path("a.txt")));
  EXPECT_EQ(List().ItemCount(), 1);
}

// Rows that move under an open edit box (a header click, which under Wine leaves the box
// open, or a new search) end the edit unapplied: the box began on another file.
TEST_F(RowActionsTest, RowsMovingUnderAnOpenCaptionEditRenameNothing) {
  FTree.File("a.txt");
  FTree.File("z.txt");
  ASSERT_GE(SearchAndSelect("a.txt"), 0);
  const auto typeWhileRowsMove = [&](const std::function<void()>& moveRows) {
    PressKey(VK_F2);
    const auto edit =
        reinterpret_cast<HWND>(SendMessageA(List().Handle(), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "b.txt");
    moveRows();
    if (IsWindow(edit)) {
      SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    }
    EXPECT_FALSE(List().IsEditing());
    EXPECT_TRUE(Exists(FTree.Path("a.txt")));
    EXPECT_TRUE(Exists(FTree.Path("z.txt")));
    EXPECT_FALSE(Exists(FTree.Path("b.txt")));
  };
  typeWhileRowsMove([&] {
    // Descending by Name puts z.txt where a.txt was.
    for (int click = 0; click < 2 && List().ItemText(0, rcName) != "z.txt"; ++click) {
      ClickHeader(List(), rcName);
    }
    EXPECT_EQ(List().ItemText(0, rcName), "z.txt");
  });
  List().SetRowSelected(0, true);
  typeWhileRowsMove([&] {
    // Find from the tool bar or the menu, which leave the focus in the edit box.
    ASSERT_TRUE(Form().actFindFind->Execute());
    EXPECT_TRUE(PumpUntil([&] { return Form().actFindFind->Enabled(); }));
  });
}

TEST_F(RowActionsTest, DeleteActsOnTheTopmostSelectedRowAndKeepsARowWhoseFileStays) {
  OwnTrash();
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    FTree.File(name);
  }
  ASSERT_GE(SearchAndSelect("a.txt"), 0);
  for (int row = 0; row < List().ItemCount(); ++row) {
    List().SetRowSelected(row, true);
  }
  const std::string topmost = List().ItemText(0, rcName);
  {
    TDialogScript confirm({Press(IDYES)});
    PressKey(VK_DELETE);
    EXPECT_TRUE(confirm.Done());
  }
  EXPECT_FALSE(Exists(FTree.Path(topmost)));
  ASSERT_EQ(List().ItemCount(), 2);
  const std::string next = List().ItemText(0, rcName);
  EXPECT_NE(next, topmost);
  EXPECT_TRUE(Exists(FTree.Path(next)));
  EXPECT_TRUE(Exists(FTree.Path(List().ItemText(1, rcName))));
  {
    TDialogScript decline({Press(IDNO)});
    PressKey(VK_DELETE);
    EXPECT_TRUE(decline.Done());
  }
  EXPECT_TRUE(Exists(FTree.Path(next)));
  EXPECT_EQ(List().ItemCount(), 2);
  EXPECT_EQ(List().ItemText(0, rcName), next);
}

TEST_F(RowActionsTest, ARowWhoseFileIsGoneIsNotActedOnAndItsCaptionJustChanges) {
  FTree.File("gone.txt");
  const int row = SearchAndSelect("gone.txt");
  ASSERT_GE(row, 0);
  ASSERT_TRUE(DeleteFileA(FTree.Path("gone.txt").c_str())); // by another program
  {
    TMenuScript menu;
    TDialogScript none({});
    const HWND list = List().Handle();
    SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(row));
    PressKey(VK_DELETE);
    EXPECT_FALSE(menu.Shown());
    EXPECT_EQ(none.Seen().size(), 0u);
  }
  EXPECT_EQ(List().ItemCount(), 1);
  // The shell browser was never pointed at the file.
  EXPECT_EQ(Form().ShellBrowser->ObjectName(), "");

  EditCaption("renamed.txt");
  EXPECT_EQ(List().ItemText(row, rcName), "renamed.txt");
  EXPECT_FALSE(Exists(FTree.Path("renamed.txt")));
}

TEST_F(RowActionsTest, AFileLastWrittenBefore1980IsActedOnLikeAnyOther) {
  OwnTrash();
  FTree.File("old.txt");
  SetLastWriteTime(FTree.Path("old.txt"), 1975, 6, 1);
  const int row = SearchAndSelect("old.txt");
  ASSERT_GE(row, 0);
  EditCaption("older.txt");
  EXPECT_EQ(List().ItemText(row, rcName), "older.txt");
  EXPECT_TRUE(Exists(FTree.Path("older.txt")));
  TDialogScript confirm({Press(IDYES)});
  PressKey(VK_DELETE);
  EXPECT_FALSE(Exists(FTree.Path("older.txt")));
  EXPECT_EQ(List().ItemCount(), 0);
}

TEST_F(RowActionsTest, ADoubleClickOnARowOpensItsFile) {
  const TTextAssociation association;
  FTree.File("open.txt", "text");
  const int row = SearchAndSelect("open.txt");
  ASSERT_GE(row, 0);
  const HWND list = List().Handle();
  PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(row));
  PostMessageA(list, WM_LBUTTONUP, 0, RowPoint(row));
  PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(row));
  PostMessageA(list, WM_LBUTTONUP, 0, RowPoint(row));
  EXPECT_TRUE(CloseNotepadOn("open.txt"));
}

} // namespace
