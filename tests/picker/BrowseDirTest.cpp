#include "BrowseMessages.h"

#include "BrowseDir.h"

#include "Application.h"
#include "OleSession.h"

#include "support/DialogScript.h"
#include "support/SessionTest.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The picker in an application of the test's own, whose error reports the test collects.
class BrowseDirTest : public ::testing::Test {
protected:
  BrowseDirTest() { FApplication.OnException = Bind<&TErrorLog::Report>(&Errors); }
  void TearDown() override { EXPECT_EQ(Errors.Messages(), std::vector<std::string>{}); }

  TErrorLog Errors;

private:
  TOleSession FOle;
  TApplication FApplication;
};

// As the main window sets it up.
void MainWindowSettings(TBrowseDirectoryDlg& dialog) {
  dialog.SetTitle("Choose a Folder:");
  dialog.SetOptions({bfDirectoriesOnly, bfEditBox, bfNewDialogStyle, bfUseNewUI});
  dialog.SetEnableOKButton(false);
  dialog.SetShowSelectionInStatus(true);
}

bool RunAnswered(TBrowseDirectoryDlg& dialog, TDialogScript::TAnswer answer) {
  TDialogScript script({std::move(answer)});
  const bool accepted = dialog.Execute();
  EXPECT_EQ(script.Seen().size(), 1u);
  EXPECT_EQ(dialog.DialogWindow(), nullptr);
  return accepted;
}

TEST_F(BrowseDirTest, AnExistingFolderIsSelectedWithItsBackslashAndOptionsBringWhatTheyNeed) {
  TTempTree tree;
  tree.Folder("plain");
  tree.Folder("hidden", FILE_ATTRIBUTE_HIDDEN);
  tree.File("file.txt");
  TBrowseDirectoryDlg dialog(nullptr);
  dialog.SetSelection(tree.Path("plain"));
  EXPECT_EQ(dialog.Selection(), tree.Path("plain\\"));
  EXPECT_EQ(dialog.StatusText(), "") << "the status follows only when asked to";
  dialog.SetShowSelectionInStatus(true);
  for (const std::string& kept : {tree.Path("hidden"), tree.Path("file.txt"), tree.Path("missing"),
                                  tree.Path("pl*"), std::string("\\"), std::string()}) {
    dialog.SetSelection(kept);
    EXPECT_EQ(dialog.Selection(), kept);
    EXPECT_EQ(dialog.StatusText(), kept);
  }
  for (TPropertyInfo& property : dialog.PublishedProperties()) {
    if (property.Name == "Version") {
      property.SetString("v9");
      EXPECT_EQ(property.GetString(), "TBrowseDirectoryDlg v2.61") << "read only";
    }
  }
  dialog.SetOptions({bfIncludeURLs});
  EXPECT_EQ(dialog.Options(),
            (TBrowseFlags{bfIncludeURLs, bfIncludeFiles, bfUseNewUI, bfEditBox, bfNewDialogStyle}));
  EXPECT_EQ(BrowseInfoFlags({bfDirectoriesOnly, bfEditBox, bfNewDialogStyle, bfUseNewUI}, true),
            0x0075u);
}

TEST_F(BrowseDirTest, TheOpenDialogFollowsTheSettersAndGetsDrivesAsItSelectsThem) {
  TTempTree tree;
  tree.Folder("sub");
  TBrowseDirectoryDlg dialog(nullptr);
  MainWindowSettings(dialog);
  TBrowseMessageLog log;
  EXPECT_FALSE(RunAnswered(dialog, [&](HWND window) {
    log.Clear();
    // "\" and a drive root go as they are, a bare drive with a backslash, a folder without.
    for (const std::string& selection :
         {std::string("C:\\"), std::string("\\"), std::string("C:"), tree.Path("sub\\")}) {
      dialog.SetSelection(selection);
    }
    EXPECT_EQ(Starting(log.Messages(), "SELECT "),
              (std::vector<std::string>{"SELECT C:\\", "SELECT \\", "SELECT C:\\",
                                        "SELECT " + tree.Path("sub")}));
    log.Clear();
    dialog.SetEnableOKButton(true);
    dialog.SetCaption("Somewhere");
    dialog.SetShowSelectionInStatus(false);
    dialog.SetStatusText("Pick one");
    dialog.SetStatusText("Pick one");
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{"ENABLEOK 1", "CAPTION Somewhere", "STATUS Pick one"}));
    SetWindowTextA(window, "Renamed");
    EXPECT_EQ(dialog.Caption(), "Renamed") << "the open dialog's own text";
    Press(IDCANCEL)(window);
  }));
  EXPECT_EQ(dialog.Caption(), "Somewhere");
}

TEST_F(BrowseDirTest, TheStatusTextIsFittedToTheStatusLineOfTheDialog) {
  TTempTree tree;
  const std::string name = "a folder name long enough to need room";
  std::string relative = name;
  tree.Folder(relative);
  for (int level = 1; level < 5; ++level) {
    relative += "\\" + name;
    tree.Folder(relative);
  }
  const std::string folder = tree.Path(relative);
  const std::string text(300, 'x');
  TBrowseDirectoryDlg dialog(nullptr);
  MainWindowSettings(dialog);
  TBrowseMessageLog log;
  EXPECT_FALSE(RunAnswered(dialog, [&](HWND window) {
    log.Clear();
    dialog.SetStatusText(folder);
    dialog.SetStatusText(text);
    dialog.SetFitStatusText(false);
    const std::vector<std::string> sent = log.Messages();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2], "STATUS " + text);
    // Wine's dialog has the status line, hidden, in the new style.
    const HWND control = GetDlgItem(window, 14147);
    if (control == nullptr) {
      EXPECT_EQ(sent[0], "STATUS " + folder);
      EXPECT_EQ(sent[1], "STATUS " + text);
    } else {
      RECT bounds;
      GetWindowRect(control, &bounds);
      const int width = bounds.right - bounds.left;
      const std::string fittedFolder = sent[0].substr(7);
      const std::string fittedText = sent[1].substr(7);
      EXPECT_TRUE(fittedFolder.starts_with(folder.substr(0, 2) + "\\...\\")) << fittedFolder;
      EXPECT_TRUE(fittedFolder.ends_with("\\" + name)) << fittedFolder;
      EXPECT_LE(TextWidthIn(control, fittedFolder), width);
      EXPECT_TRUE(fittedText.ends_with("x...")) << fittedText;
      EXPECT_LE(TextWidthIn(control, fittedText), width);
      EXPECT_GT(TextWidthIn(control, "x" + fittedText), width) << "one more would not fit";
    }
    Press(IDCANCEL)(window);
  }));
}

class TFailingHandler : public TObject {
public:
  void Created(TObject*) { throw std::runtime_error("handler failed"); }
};

TEST_F(BrowseDirTest, AnErrorInAHandlerIsReportedAndTheDialogCarriesOn) {
  TBrowseDirectoryDlg dialog(nullptr);
  TFailingHandler handler;
  dialog.OnCreate = Bind<&TFailingHandler::Created>(&handler);
  EXPECT_FALSE(RunAnswered(dialog, Press(IDCANCEL)));
  EXPECT_EQ(Errors.Take(), std::vector<std::string>{"handler failed"});
}

} // namespace
