#include "ShellBrowser.h"
#include "ShellDrivers.h"
#include "ShellSession.h"

#include "Application.h"
#include "Form.h"
#include "Strings.h"
#include "support/DialogScript.h"
#include "support/SessionTest.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

// A form that owns a browser, as the main window does, so that the browser's menus and the
// shell's dialogs have a window to belong to.
class TBrowserForm : public TForm {
public:
  explicit TBrowserForm(TComponent* owner) : TForm(owner, "TBrowserForm") {
    Browser = new TShellBrowser(this);
    DoCreate();
    Show();
  }
  ~TBrowserForm() override { DoDestroy(); }

  TShellBrowser* Browser;
};

class ShellBrowserTest : public ::testing::Test {
protected:
  ShellBrowserTest() {
    FApplication.OnException = Bind<&TErrorLog::Report>(&FErrors);
    FForm = new TBrowserForm(&FApplication);
  }
  void TearDown() override {
    EXPECT_EQ(FErrors.Messages(), std::vector<std::string>{}) << "errors nobody expected";
  }

  TShellBrowser& Browser() { return *FForm->Browser; }
  static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  TTempTree FTree;

private:
  TShellSession FShell;
  TErrorLog FErrors;
  TApplication FApplication;
  TBrowserForm* FForm;
};

TEST_F(ShellBrowserTest, APathInTheBoundFolderInAnotherCaseBindsTheObjectNotTheFolder) {
  FTree.File("One.txt");
  FTree.File("Other.txt");
  FTree.Folder("sub");
  FTree.File("sub\\Third.txt");
  EXPECT_EQ(Browser().Folder(), ""); // My Computer, until first used
  Browser().SetObjectName(FTree.Path("One.txt"));
  EXPECT_EQ(Browser().Folder(), FTree.Root() + "\\");
  EXPECT_EQ(Browser().ObjectName(), "One.txt");
  // Held, so that a folder bound anew could not take the same address.
  const TComPtr<IShellFolder> first = Browser().ShellFolder();

  Browser().SetObjectName(AsciiUpperCase(FTree.Root()) + "\\Other.txt");
  EXPECT_EQ(Browser().ShellFolder().get(), first.get());
  EXPECT_EQ(Browser().ObjectName(), "Other.txt");

  Browser().SetObjectName(FTree.Path("sub\\Third.txt"));
  EXPECT_NE(Browser().ShellFolder().get(), first.get());
  EXPECT_EQ(Browser().ObjectName(), "Third.txt");
}

TEST_F(ShellBrowserTest, ANameTheFolderCannotParseIsLookedForAmongItsObjects) {
  FTree.File("report.txt");
  const THiddenExtensions hidden;
  // Only the display name is "report"; the folder parses file names.
  Browser().SetObjectName(FTree.Path("report"));
  EXPECT_EQ(Browser().ObjectName(), "report.txt");
  EXPECT_EQ(Browser().GetDisplayName(), "report");

  try {
    Browser().SetObjectName(FTree.Path("missing"));
    ADD_FAILURE() << "no error";
  } catch (const EShellBrowserError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Error! Cannot find Object \"missing\" in Folder \"" + FTree.Root() + "\\\"");
  }
  // Nothing is left bound for a verb to act on.
  EXPECT_EQ(Browser().ObjectName(), "");
  EXPECT_FALSE(Browser().InvokeVerb("delete"));
}

TEST_F(ShellBrowserTest, DeleteRemovesTheFileOnlyWhenTheUserConfirms) {
  const std::string trash = OwnTrash();
  FTree.File("doomed.txt", "text");
  Browser().SetObjectName(FTree.Path("doomed.txt"));
  {
    TDialogScript script({Press(IDNO)});
    EXPECT_FALSE(Browser().InvokeVerb("delete"));
    EXPECT_EQ(script.Seen().size(), 1u);
  }
  EXPECT_TRUE(Exists(FTree.Path("doomed.txt")));
  {
    TDialogScript script({Press(IDYES)});
    EXPECT_TRUE(Browser().InvokeVerb("delete"));
    EXPECT_EQ(script.Seen().size(), 1u);
  }
  EXPECT_FALSE(Exists(FTree.Path("doomed.txt")));
  if (!trash.empty()) {
    EXPECT_TRUE(Exists(trash + "\\Trash\\files\\doomed.txt")) << "not in the test's own trash";
  }
}

TEST_F(ShellBrowserTest, TheDefaultVerbOpensATextFileInItsProgram) {
  const TTextAssociation association;
  FTree.File("note.txt", "text");
  Browser().SetObjectName(FTree.Path("note.txt"));
  EXPECT_TRUE(Browser().InvokeVerb("default"));
  EXPECT_TRUE(CloseNotepadOn("note.txt"));
}

TEST_F(ShellBrowserTest, RenameHandsBackTheNameTheObjectHasAfterwards) {
  FTree.File("old.txt");
  FTree.File("taken.txt");
  // A name with its extension stays the file's name where the shell hides extensions.
  const THiddenExtensions hidden;
  Browser().SetObjectName(FTree.Path("old.txt"));
  std::string name = "new.txt";
  Browser().Rename(name);
  EXPECT_EQ(name, "new");
  EXPECT_EQ(Browser().ObjectName(), "new.txt");
  EXPECT_TRUE(Exists(FTree.Path("new.txt")));
  EXPECT_FALSE(Exists(FTree.Path("old.txt")));

  name = "taken.txt";
  {
    // Windows explains the refusal in a box of its own; Wine says nothing.
    TDialogScript anyBox({});
    Browser().Rename(name);
  }
  EXPECT_EQ(name, "new");
  EXPECT_EQ(Browser().ObjectName(), "new.txt");
  EXPECT_TRUE(Exists(FTree.Path("new.txt")));
  EXPECT_TRUE(Exists(FTree.Path("taken.txt")));
}

TEST_F(ShellBrowserTest, TheContextMenuAnswersTheVerbOfWhatItCarriedOut) {
  OwnTrash();
  FTree.File("menu.txt", "text");
  Browser().SetObjectName(FTree.Path("menu.txt"));
  std::string verb = "unchanged";
  {
    TMenuScript dismiss;
    Browser().ShowContextMenu({40, 60}, verb);
    ASSERT_TRUE(dismiss.Shown());
    EXPECT_EQ(dismiss.Place().x, 40);
    EXPECT_EQ(dismiss.Place().y, 60);
  }
  EXPECT_EQ(verb, "");
  {
    TMenuScript choose("Delete");
    TDialogScript declined({Press(IDNO)});
    Browser().ShowContextMenu({40, 60}, verb);
    EXPECT_TRUE(declined.Done());
  }
  EXPECT_EQ(verb, "");
  EXPECT_TRUE(Exists(FTree.Path("menu.txt")));
  {
    TMenuScript choose("Delete");
    TDialogScript confirmed({Press(IDYES)});
    Browser().ShowContextMenu({40, 60}, verb);
  }
  EXPECT_EQ(verb, "delete");
  EXPECT_FALSE(Exists(FTree.Path("menu.txt")));
}

TEST(MatchMaskTest, StarsMatchAnyRunAndQuestionMarksAnyOneCharacterInEitherCase) {
  const struct {
    const char* Name;
    const char* Mask;
    bool Matches;
  } cases[] = {
      {"Report.TXT", "*.txt", true},
      {"report.txt", "r?port.*", true},
      {"report", "*.txt", false},
      {"a", "a*", true},
      {"", "*", true},
      {"aXbXc", "a*b*c", true},
      {"abcd", "a*c", false},
      {"ab", "a?b", false},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(TShellBrowser::MatchMask(test.Name, test.Mask), test.Matches)
        << test.Name << " " << test.Mask;
  }
}

} // namespace
