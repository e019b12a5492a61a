#include "MainWindowSession.h"
#include "MainWindowTest.h"

#include "support/Pump.h"
#include "support/TempTree.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

class MainWindowCloseTest : public TMainWindowTest {};

TEST_F(MainWindowCloseTest, ExitAltF4AndTheCloseBoxEachEndTheMessageLoop) {
  for (const TCloseWay& way : CloseWays()) {
    SCOPED_TRACE(way.Name);
    TMainWindowSession session(Log());
    const TfrmQuilletMain& form = session.Form();
    way.Request(form);
    ASSERT_TRUE(PumpUntil([&] { return session.App().Terminated(); }));
    EXPECT_TRUE(TakeQuitMessage());
    // The window stays until the application that owns it goes.
    EXPECT_TRUE(IsWindow(form.Handle()));
  }
}

TEST_F(MainWindowCloseTest, ClosingMidSearchEndsTheWalkAsFinished) {
  TTempTree tree;
  MakeSearchTree(tree);
  HWND window = nullptr;
  {
    TMainWindowSession session(Log());
    TfrmQuilletMain& form = session.Form();
    window = form.Handle();
    TStatusWatch watch(form.StatusBar1->Handle());
    SetText(form.edStartDir, tree.Root());
    SetText(form.edFileMasks, "*.none");
    // The close box is pressed while the first folder shows; the walk handles the request
    // when it enters the next folder.
    watch.OnSearching = [&](const std::string&) {
      if (watch.Folders().size() == 1) {
        PostMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
      }
    };
    Click(form.BtnFind->Handle());
    ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 1; }));
    EXPECT_TRUE(session.App().Terminated());
    EXPECT_EQ(watch.Folders().size(), 2u) << "the walk ends in the folder it entered";
    EXPECT_EQ(watch.Count("Cancelled."), 0);
    EXPECT_EQ(watch.Texts().back(), "Finished.");
    EXPECT_FALSE(form.Animate1->Active());
    EXPECT_TRUE(form.actFindFind->Enabled());
    EXPECT_FALSE(form.actFindStop->Enabled());
    EXPECT_TRUE(TakeQuitMessage());
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Application, nullptr);
  EXPECT_EQ(frmQuilletMain, nullptr);

  // The next application of the process searches as the first one did.
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TStatusWatch watch(form.StatusBar1->Handle());
  SetText(form.edStartDir, tree.Root());
  SetText(form.edFileMasks, "*.none");
  Click(form.BtnFind->Handle());
  ASSERT_TRUE(PumpUntil([&] { return watch.Count("Finished.") == 1; }));
  EXPECT_EQ(Sorted(watch.Folders()), Sorted(SearchTreeFolders(tree)));
  EXPECT_FALSE(session.App().Terminated());
}

} // namespace
