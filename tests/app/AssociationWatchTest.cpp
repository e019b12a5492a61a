#include "MainWindowTest.h"

#include "fileinfo/ShellFixtures.h"
#include "support/Pump.h"
#include "support/TempTree.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

class AssociationWatchTest : public TMainWindowTest {};

// The type name a row of the file would show now.
std::string RowType(TfrmQuilletMain& form, const std::string& path) {
  form.FileCtrl1->SetFileName(path);
  return form.FileCtrl1->FileType();
}

TEST_F(AssociationWatchTest, ChangedAssociationsAreAskedOfTheShellAnew) {
  const TRegisteredType type(".kovqwatch", "KOVQuillet.Watched", "shell32.dll,3");
  TTempTree tree;
  tree.File("a.kovqwatch");
  const std::string path = tree.Path("a.kovqwatch");
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  const std::string before = RowType(form, path);
  EXPECT_EQ(before, DirectTypeName(path));

  // Kept while nobody announces a change.
  type.SetTypeValue("", "Renamed once");
  ASSERT_EQ(DirectTypeName(path), "Renamed once");
  EXPECT_EQ(RowType(form, path), before);

  // The shell's announcement, which comes back as a message.
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return RowType(form, path) == "Renamed once"; }));

  // The system's word that its settings changed.
  type.SetTypeValue("", "Renamed twice");
  SendMessageA(form.Handle(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_EQ(RowType(form, path), "Renamed twice");
}

} // namespace
