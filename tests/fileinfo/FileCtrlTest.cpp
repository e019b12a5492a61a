#include "FileCtrl.h"
#include "FileTypeName.h"

#include "ShellFixtures.h"

#include "UniqueHandle.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <shellapi.h>

namespace {

std::int64_t SizeOf(TFileCtrl& ctrl, const std::string& path) {
  ctrl.SetFileName(path);
  return ctrl.FileSize();
}

TEST(FileCtrl, SizeIsTheFull64BitSizeEvenOfAFileHeldOpen) {
  TTempTree tree;
  tree.File("empty.txt");
  tree.File("1234.txt", std::string(1234, 'x'));
  tree.File("held.txt", std::string(777, 'x'));
  tree.SparseFile("big.bin", 3ull << 30);
  const TFileHandle holder(CreateFileA(tree.Path("held.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                                       0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);

  TFileCtrl ctrl(nullptr);
  EXPECT_EQ(ctrl.FileSize(), 0);
  EXPECT_EQ(SizeOf(ctrl, tree.Path("1234.txt")), 1234);
  EXPECT_EQ(SizeOf(ctrl, tree.Path("empty.txt")), 0);
  EXPECT_EQ(SizeOf(ctrl, tree.Path("held.txt")), 777);
  EXPECT_EQ(SizeOf(ctrl, tree.Path("big.bin")), 3221225472);
  EXPECT_EQ(SizeOf(ctrl, tree.Path("missing.bin")), 0);
}

TEST(FileCtrl, ANameThatIsNoFoundFileBecomesCurrentWithNoTypeAndNoSize) {
  TTempTree tree;
  tree.File("report.txt", "text");
  tree.Folder("folder");
  const std::string relative = "kov-missing.txt";
  char current[MAX_PATH];
  std::string relativeFull(current, GetCurrentDirectoryA(MAX_PATH, current));
  relativeFull += (relativeFull.back() == '\\' ? "" : "\\") + relative;

  TFileCtrl ctrl(nullptr);
  for (const std::string& name :
       {tree.Path("folder"), tree.Path("folder\\*.*"), tree.Path("missing.txt"), relative}) {
    SCOPED_TRACE(name);
    ctrl.SetFileName(tree.Path("report.txt"));
    ctrl.SetFileName(name);
    const std::string full = name == relative ? relativeFull : name;
    EXPECT_EQ(ctrl.FileName(), full);
    EXPECT_EQ(ctrl.FileType(), "");
    EXPECT_EQ(ctrl.FileSize(), 0);
    EXPECT_EQ(ctrl.GetSystemIconIndex(), DirectIconIndex(full));
  }
}

// Every answer, fresh or cached, must be the one the shell gives the name itself.
TEST(FileCtrl, TypeNamesAndIconsAreTheShellsOwnForEveryKindOfName) {
  TTempTree tree;
  const char* files[] = {"a.txt",     "b.TXT",   "c.txt",    "lib.dll", "prog.exe",
                         "other.exe", "pic.ico", "link.lnk", "web.url", "conf.ini",
                         "x.xyz",     "y.XYZ",   "noext",    "other",   "my.file name"};
  for (const char* name : files) {
    tree.File(name, "data");
  }
  tree.Folder("folder.txt");
  std::vector<std::string> names(std::begin(files), std::end(files));
  names.insert(names.end(), {"folder.txt", "missing.txt", "*.ico"});

  TFileCtrl ctrl(nullptr);
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::string& name : names) {
      SCOPED_TRACE(name);
      const std::string path = tree.Path(name);
      ctrl.SetFileName(path);
      const std::string type = ctrl.FileType();
      const int icon = ctrl.GetSystemIconIndex();
      const std::string shellType = DirectTypeName(path);
      if (!FileExistsTest(path)) {
        EXPECT_EQ(type, "");
      } else {
        EXPECT_EQ(type, shellType.empty() ? FallbackTypeName(path) : shellType);
      }
      EXPECT_EQ(icon, DirectIconIndex(path));
    }
  }
}

} // namespace
