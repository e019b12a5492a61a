#include "MainWindowSession.h"
#include "MainWindowTest.h"

#include "SearchThread.h"
#include "support/Pump.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

class SearchRunTest : public TMainWindowTest {};

int MaskCount(const TfrmQuilletMain& form) {
  return static_cast<int>(SendMessageA(form.edFileMasks->Handle(), CB_GETCOUNT, 0, 0));
}

std::string Mask(const TfrmQuilletMain& form, int index) {
  char text[256] = {};
  SendMessageA(form.edFileMasks->Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

// Find and Stop as the user sees them, idle or searching.
void ExpectSearching(const TfrmQuilletMain& form, bool searching) {
  EXPECT_EQ(form.actFindFind->Enabled(), !searching);
  EXPECT_EQ(form.actFindStop->Enabled(), searching);
  EXPECT_EQ(IsWindowEnabled(form.BtnFind->Handle()) != FALSE, !searching);
  EXPECT_EQ(IsWindowEnabled(form.BtnStop->Handle()) != FALSE, searching);
  EXPECT_EQ(form.Animate1->Active(), searching);
  // Where the system's clip cannot play the control stays blank, which is no error.
  EXPECT_EQ(Playing(form), searching && FindFileClipPlays());
}

TEST_F(SearchRunTest, FindRefusesAnEmptyFolderOrMaskWithoutChangingAnything) {
  TTempTree tree;
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  // What an earlier search left.
  form.ListView->AddRow({"kept.dll"}, 0);
  form.ListView->AddRow({"also kept.exe"}, 0);
  SendMessageA(form.StatusBar1->Handle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Finished."));
  SendMessageA(form.StatusBar1->Handle(), SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Found: 2"));
  TStatusWatch watch(form.StatusBar1->Handle());

  struct TCase {
    std::string Folder;
    std::string Mask;
  };
  for (const TCase& input : {TCase{"", "*.*"}, TCase{tree.Root(), ""}, TCase{"", ""}}) {
    SCOPED_TRACE("folder \"" + input.Folder + "\", mask \"" + input.Mask + "\"");
    SetText(form.edStartDir, input.Folder);
    SetText(form.edFileMasks, input.Mask);
    Click(form.BtnFind->Handle());
    session.App().ProcessMessages();
    EXPECT_EQ(form.ListView->ItemCount(), 2);
    EXPECT_TRUE(watch.Texts().empty());
    EXPECT_EQ(StatusText(form, 0), "Finished.");
    EXPECT_EQ(StatusText(form, 1), "Found: 2");
    ExpectSearching(form, false);
    EXPECT_EQ(form.FileGrep1->Worker(), nullptr);
    EXPECT_EQ(form.FileGrep1->FileMasks(), "*.*") << "the engine keeps its own settings";
    EXPECT_EQ(form.FileGrep1->Dirs(), "");
  }
}

TEST_F(SearchRunTest, SearchGoesThroughItsStatesWithTheSettingsOfTheControls) {
  TTempTree tree;
  MakeSearchTree(tree);
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TStatusWatch watch(form.StatusBar1->Handle());

  EXPECT_EQ(StatusText(form, 0), "");
  EXPECT_EQ(StatusText(form, 1), "");
  ExpectSearching(form, false);

  // What an earlier search left, and engine settings that Find must replace.
  form.ListView->AddRow({"old.dll"}, 0);
  SendMessageA(form.StatusBar1->Handle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Finished."));
  SendMessageA(form.StatusBar1->Handle(), SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Found: 1"));
  form.FileGrep1->SetThreadPriority(tpLowest);
  form.FileGrep1->SetRecurseSubDirs(false);
  watch.Clear();

  // Typed as they stand: no trailing backslash, several masks.
  const std::string masks = "*.none;*.nothing";
  SetText(form.edStartDir, tree.Root());
  SetText(form.edFileMasks, masks);
  int checks = 0;
  watch.OnSearching = [&](const std::string& folder) {
    if (checks++ == 0) {
      EXPECT_EQ(folder, tree.Root() + "\\");
      EXPECT_EQ(StatusText(form, 0), "Searching " + tree.Root() + "\\");
      ExpectSearching(form, true);
    }
  };
  Click(form.BtnFind->Handle());

  // Find has reset the window and started the engine, whose run follows from the loop.
  EXPECT_EQ(watch.Texts(), (std::vector<std::string>{""}));
  EXPECT_EQ(StatusText(form, 1), "");
  EXPECT_EQ(form.ListView->ItemCount(), 0);
  ExpectSearching(form, true);
  EXPECT_EQ(form.FileGrep1->FileMasks(), masks);
  EXPECT_EQ(form.FileGrep1->Dirs(), tree.Root());
  EXPECT_TRUE(form.FileGrep1->RecurseSubDirs());
  EXPECT_EQ(form.FileGrep1->ThreadPriority(), tpHighest);
  ASSERT_NE(form.FileGrep1->Worker(), nullptr);
  EXPECT_EQ(GetThreadPriority(form.FileGrep1->Worker()->Handle()), THREAD_PRIORITY_HIGHEST);

  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 1; }));
  EXPECT_GT(checks, 0);
  EXPECT_EQ(Sorted(watch.Folders()), Sorted(SearchTreeFolders(tree)));
  EXPECT_EQ(watch.Texts().back(), "Finished.");
  EXPECT_EQ(StatusText(form, 0), "Finished.");
  EXPECT_EQ(StatusText(form, 1), "") << "nothing found";
  ExpectSearching(form, false);

  // Without subfolders only the folder itself; two folders given as a list are both walked.
  Click(form.IncludeSubFolders->Handle());
  SetText(form.edStartDir, tree.Path("a") + ";" + tree.Path("b"));
  watch.Clear();
  Click(form.BtnFind->Handle());
  EXPECT_FALSE(form.FileGrep1->RecurseSubDirs());
  EXPECT_EQ(form.FileGrep1->Dirs(), tree.Path("a") + ";" + tree.Path("b"));
  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 1; }));
  EXPECT_EQ(watch.Folders(),
            (std::vector<std::string>{tree.Path("a") + "\\", tree.Path("b") + "\\"}));

  // A folder that does not exist is searched all the same, and nothing is reported.
  SetText(form.edStartDir, tree.Path("missing"));
  watch.Clear();
  Click(form.BtnFind->Handle());
  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 1; }));
  EXPECT_EQ(watch.Texts(), (std::vector<std::string>{"", "Searching " + tree.Path("missing") + "\\",
                                                     "Finished."}));
  ExpectSearching(form, false);
}

TEST_F(SearchRunTest, EnterInTheMaskBoxListsTheTextAndStartsASearch) {
  TTempTree tree;
  MakeSearchTree(tree);
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TStatusWatch watch(form.StatusBar1->Handle());
  const HWND maskEdit = form.edFileMasks->EditHandle();
  SetText(form.edStartDir, tree.Root());
  SetText(form.edFileMasks, "*.none");

  // Every Enter lists the text again, also with Ctrl held.
  for (int search = 1; search <= 3; ++search) {
    BYTE keys[256];
    GetKeyboardState(keys);
    const BYTE ctrlBefore = keys[VK_CONTROL];
    keys[VK_CONTROL] = search == 2 ? 0x80 : 0;
    SetKeyboardState(keys);
    PostKey(maskEdit, VK_RETURN);
    const bool ended = PumpUntil([&] { return watch.Count("Finished.") == search; });
    keys[VK_CONTROL] = ctrlBefore;
    SetKeyboardState(keys);
    ASSERT_TRUE(ended) << "search " << search;
  }
  ASSERT_EQ(MaskCount(form), 9 + 3);
  for (int index = 9; index < 12; ++index) {
    EXPECT_EQ(Mask(form, index), "*.none");
  }
  EXPECT_EQ(WindowText(maskEdit), "*.none") << "Enter typed nothing";
  EXPECT_EQ(watch.Count("Searching " + tree.Root() + "\\"), 3);

  // An empty text is listed as well, but Find refuses it.
  form.ListView->AddRow({"kept.dll"}, 0);
  SetText(form.edFileMasks, "");
  const std::size_t written = watch.Texts().size();
  PostKey(maskEdit, VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return MaskCount(form) == 13; }));
  session.App().ProcessMessages();
  EXPECT_EQ(Mask(form, 12), "");
  EXPECT_EQ(watch.Texts().size(), written);
  EXPECT_EQ(form.ListView->ItemCount(), 1);
  EXPECT_EQ(form.FileGrep1->Worker(), nullptr);
  ExpectSearching(form, false);

  // Enter in the folder box searches too, and lists nothing.
  SetText(form.edFileMasks, "*.none");
  PostKey(form.edStartDir->Handle(), VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 4; }));
  EXPECT_EQ(MaskCount(form), 13);
  EXPECT_EQ(WindowText(form.edStartDir->Handle()), tree.Root());
  EXPECT_EQ(form.ListView->ItemCount(), 0);
}

TEST_F(SearchRunTest, StopEndsTheWalkAsCancelledAndIsOnlyHeardWhileSearching) {
  TTempTree tree;
  MakeSearchTree(tree);
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TStatusWatch watch(form.StatusBar1->Handle());
  SetText(form.edStartDir, tree.Root());
  SetText(form.edFileMasks, "*.none");

  // Stop while idle is disabled, so no cancel waits for the next search.
  Click(form.BtnStop->Handle());
  Click(form.BtnFind->Handle());
  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 1; }));
  EXPECT_EQ(watch.Folders().size(), 5u);

  // The user presses Stop while the walk shows its first folder; the walk handles the click
  // when it enters the next one.
  watch.Clear();
  watch.OnSearching = [&](const std::string&) {
    if (watch.Folders().size() == 1) {
      form.ListView->AddRow({"found so far.dll"}, 0);
      PostMessageA(form.BtnStop->Handle(), BM_CLICK, 0, 0);
    }
  };
  Click(form.BtnFind->Handle());
  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Cancelled.") == 1; }));
  EXPECT_EQ(watch.Folders().size(), 2u) << "the walk ends in the folder it entered";
  EXPECT_EQ(watch.Count("Finished."), 0);
  EXPECT_EQ(StatusText(form, 0), "Cancelled.");
  EXPECT_EQ(form.ListView->ItemCount(), 1) << "rows found so far stay";
  ExpectSearching(form, false);

  watch.Clear();
  watch.OnSearching = nullptr;
  Click(form.BtnStop->Handle());
  Click(form.BtnFind->Handle());
  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 1; }));
  EXPECT_EQ(watch.Folders().size(), 5u);
  EXPECT_EQ(form.ListView->ItemCount(), 0) << "a new Find empties the list";
}

TEST_F(SearchRunTest, EnterInTheFolderBoxMidSearchEmptiesTheListButStartsNoSecondSearch) {
  TTempTree tree;
  MakeSearchTree(tree);
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TStatusWatch watch(form.StatusBar1->Handle());
  SetText(form.edStartDir, tree.Root());
  SetText(form.edFileMasks, "*.none");

  // At the first folder rows have arrived; the user unticks subfolders, types another
  // folder and presses Enter, all handled when the walk enters its next folder.
  watch.OnSearching = [&](const std::string&) {
    if (watch.Folders().size() == 1) {
      form.ListView->AddRow({"first.dll"}, 0);
      form.ListView->AddRow({"second.dll"}, 0);
      SendMessageA(form.StatusBar1->Handle(), SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Found: 2"));
      PostMessageA(form.IncludeSubFolders->Handle(), BM_CLICK, 0, 0);
      SetText(form.edStartDir, tree.Path("b"));
      PostKey(form.edStartDir->Handle(), VK_RETURN);
    }
  };
  Click(form.BtnFind->Handle());
  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 1; }));
  session.App().ProcessMessages();

  // The running walk kept what it started with and ended once; Find only reset the window.
  EXPECT_EQ(Sorted(watch.Folders()), Sorted(SearchTreeFolders(tree)));
  EXPECT_EQ(watch.Texts().back(), "Finished.");
  EXPECT_EQ(watch.Count(""), 2) << "cleared by the first Find and by Enter";
  EXPECT_EQ(form.ListView->ItemCount(), 0);
  EXPECT_EQ(StatusText(form, 1), "");
  EXPECT_EQ(form.FileGrep1->Dirs(), tree.Path("b"));
  EXPECT_FALSE(form.FileGrep1->RecurseSubDirs());
  EXPECT_EQ(form.FileGrep1->Worker(), nullptr);
  ExpectSearching(form, false);
}

} // namespace
