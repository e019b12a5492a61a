#include "MainWindowSession.h"
#include "MainWindowTest.h"

#include "picker/BrowseMessages.h"
#include "support/DialogScript.h"
#include "support/Pump.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

class FolderButtonTest : public TMainWindowTest {};

// What the picker showed as it opened.
struct TPickerSeen {
  std::string Caption;
  std::string Title;
  std::vector<std::string> Sent;
  std::vector<std::string> Selections() const { return Starting(Sent, "SELECT "); }
};

// Presses "..." and gives the picker the answer.
TPickerSeen PressBrowse(const TfrmQuilletMain& form, const TDialogScript::TAnswer& answer) {
  TBrowseMessageLog log;
  TPickerSeen seen;
  TDialogScript script({[&](HWND dialog) {
    seen = {WindowText(dialog), DialogItemText(dialog, 14146), log.Messages()};
    answer(dialog);
  }});
  Click(form.BtnBrowse->Handle());
  EXPECT_EQ(script.Seen().size(), 1u);
  return seen;
}

// The user picks another folder in the tree, then OK.
TDialogScript::TAnswer PickAndAccept(const std::string& folder) {
  return [folder](HWND dialog) {
    SelectInPicker(dialog, folder);
    Press(IDOK)(dialog);
  };
}

TEST_F(FolderButtonTest, DotsOpenThePickerOnTheFolderInTheBoxAndOkWritesThePathTheShellGives) {
  TTempTree tree;
  tree.Folder("sub");
  tree.File("file.txt");
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  const HWND box = form.edStartDir->Handle();

  SetText(form.edStartDir, tree.Root());
  const TPickerSeen seen = PressBrowse(form, Press(IDOK));
  EXPECT_EQ(seen.Caption, "Browse For Folder");
  EXPECT_EQ(seen.Title, "Choose a Folder:");
  // OK is disabled before the folder is selected; the status names it with its backslash
  // until the dialog reports its selection.
  ASSERT_GE(seen.Sent.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(seen.Sent.begin(), seen.Sent.begin() + 3),
            (std::vector<std::string>{"ENABLEOK 0", "STATUS " + tree.Root() + "\\",
                                      "SELECT " + tree.Root()}));
  EXPECT_EQ(WindowText(box), tree.Root()) << "as the shell reports it, without a backslash";
  EXPECT_EQ(form.BrowseFolderDlg->DisplayName(), tree.Root());

  // With a file in the box the picker opens on the folder accepted last.
  SetText(form.edStartDir, tree.Path("file.txt"));
  EXPECT_EQ(PressBrowse(form, PickAndAccept(tree.Path("sub"))).Selections(),
            std::vector<std::string>{"SELECT " + tree.Root()});
  EXPECT_EQ(WindowText(box), tree.Path("sub"));

  // A drive root keeps the backslash the shell gives it.
  SetText(form.edStartDir, "C:\\");
  PressBrowse(form, Press(IDOK));
  EXPECT_EQ(WindowText(box), "C:\\");
}

TEST_F(FolderButtonTest, CancelLeavesTheBoxAndAMissingFolderOpensOnTheLastAcceptedOrNothing) {
  TTempTree tree;
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  const HWND box = form.edStartDir->Handle();
  SetText(form.edStartDir, tree.Path("missing"));
  EXPECT_EQ(PressBrowse(form, PickAndAccept(tree.Root())).Selections(), std::vector<std::string>{});
  EXPECT_EQ(WindowText(box), tree.Root());

  SetText(form.edStartDir, tree.Path("missing"));
  EXPECT_EQ(PressBrowse(form, Press(IDCANCEL)).Selections(),
            std::vector<std::string>{"SELECT " + tree.Root()});
  EXPECT_EQ(WindowText(box), tree.Path("missing"));
  EXPECT_EQ(form.BrowseFolderDlg->Selection(), "");
  EXPECT_EQ(PressBrowse(form, Press(IDCANCEL)).Selections(), std::vector<std::string>{});
}

TEST_F(FolderButtonTest, AnItemWithoutAFileSystemPathLeavesTheBoxUnchanged) {
  TTempTree tree;
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TItemIdList computer;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, computer.put()), S_OK);
  SetText(form.edStartDir, tree.Root());
  PressBrowse(form, [&](HWND dialog) {
    SendMessageA(dialog, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(computer.get()));
    Press(IDOK)(dialog); // Wine's OK is disabled for My Computer but still ends the dialog
  });
  EXPECT_EQ(WindowText(form.edStartDir->Handle()), tree.Root());
  EXPECT_EQ(form.BrowseFolderDlg->Selection(), "");
  EXPECT_NE(form.BrowseFolderDlg->SelectionPIDL(), nullptr) << "the run was accepted";
}

TEST_F(FolderButtonTest, DuringASearchTheWalkWaitsBelowThePickerAndKeepsItsFolder) {
  TTempTree tree;
  MakeSearchTree(tree);
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TStatusWatch watch(form.StatusBar1->Handle());
  SetText(form.edStartDir, tree.Root());
  SetText(form.edFileMasks, "*.none");
  std::size_t foldersWhilePicking = 0;
  TDialogScript script({[&](HWND dialog) {
    foldersWhilePicking = watch.Folders().size();
    PickAndAccept(tree.Path("b"))(dialog);
  }});
  // The click waits in the queue until the walk next handles messages.
  watch.OnSearching = [&](const std::string&) {
    if (watch.Folders().size() == 1) {
      PostMessageA(form.BtnBrowse->Handle(), BM_CLICK, 0, 0);
    }
  };
  Click(form.BtnFind->Handle());
  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 1; }));
  EXPECT_TRUE(script.Done());
  EXPECT_GE(foldersWhilePicking, 1u);
  EXPECT_LT(foldersWhilePicking, SearchTreeFolders(tree).size());
  EXPECT_EQ(Sorted(watch.Folders()), Sorted(SearchTreeFolders(tree)));
  EXPECT_EQ(form.FileGrep1->Dirs(), tree.Root()) << "the picked folder serves the next search";
  EXPECT_EQ(WindowText(form.edStartDir->Handle()), tree.Path("b"));
}

} // namespace
