#include "ShellTypeCache.h"
#include "FileCtrl.h"
#include "FileTypeName.h"
#include "IconSource.h"

#include "ShellFixtures.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(ShellTypeCache, AsksTheShellOncePerExtensionUnlessTheAnswerMayDiffer) {
  TTempTree tree;
  for (const char* name : {"a.txt", "b.txt", "C.TXT", "d.lnk", "e.lnk"}) {
    tree.File(name);
  }
  tree.Folder("f.txt");
  tree.Folder("plain");
  tree.Folder("custom");
  tree.File("custom\\desktop.ini", "[.ShellClassInfo]\r\nIconFile=shell32.dll\r\nIconIndex=3\r\n");
  tree.Folder("locked", FILE_ATTRIBUTE_READONLY);
  std::map<std::string, int> typeAsks;
  std::map<std::string, int> iconAsks;
  TShellTypeCache cache(TShellQueries{[&](const std::string& path) {
                                        ++typeAsks[path.substr(tree.Root().size() + 1)];
                                        return ShellTypeName(path);
                                      },
                                      [&](const std::string& path) {
                                        ++iconAsks[path.substr(tree.Root().size() + 1)];
                                        return ShellIconIndex(path);
                                      }});

  for (int pass = 0; pass < 2; ++pass) {
    for (const char* name : {"a.txt", "b.txt", "C.TXT", "d.lnk", "e.lnk", "f.txt", "plain",
                             "custom", "locked", "g.txt", "*.txt"}) {
      const std::string path = tree.Path(name);
      const std::optional<TFileFacts> facts = FindFileFacts(path);
      cache.TypeName(path, facts);
      cache.IconIndex(path, facts);
    }
  }
  // Wine spells an unknown type as its files spell the extension, so .TXT is asked apart;
  // shortcuts show their targets' icons; the folders, the missing name and the wildcard are
  // not the file that a search finds under that name.
  const std::map<std::string, int> expectedTypes = {{"a.txt", 1},  {"C.TXT", 1}, {"d.lnk", 1},
                                                    {"f.txt", 2},  {"plain", 2}, {"custom", 2},
                                                    {"locked", 2}, {"g.txt", 2}, {"*.txt", 2}};
  // Empty shortcuts point nowhere and share the shell's fallback; plain folders share one
  // icon, and folders that may carry their own (desktop.ini, read-only) are asked each time.
  std::map<std::string, int> expectedIcons = {{"a.txt", 1},  {"d.lnk", 1}, {"f.txt", 1},
                                              {"custom", 2}, {"g.txt", 2}, {"*.txt", 2}};
  // Wine keeps no read-only attribute on folders.
  if (GetFileAttributesA(tree.Path("locked").c_str()) & FILE_ATTRIBUTE_READONLY) {
    expectedIcons["locked"] = 2;
  }
  EXPECT_EQ(typeAsks, expectedTypes);
  EXPECT_EQ(iconAsks, expectedIcons);
}

TEST(ShellTypeCache, FilesThatCarryTheirOwnIconsShowThemEach) {
  const TRegisteredType ownIcons(".kovqown", "KOVQuillet.OwnIcon", "%1");
  const TRegisteredType ownNoType(".kovqext", "", "\"%1\"");
  const TRegisteredType shared(".kovqshared", "KOVQuillet.Shared", "shell32.dll,3");
  const TRegisteredType handled(".kovqhandled", "KOVQuillet.Handled", "shell32.dll,3");
  handled.AddTypeKey("shellex\\IconHandler");
  EXPECT_TRUE(IconComesFromEachFile(".kovqown"));
  EXPECT_TRUE(IconComesFromEachFile(".KOVQOWN"));
  EXPECT_TRUE(IconComesFromEachFile(".kovqext"));
  EXPECT_TRUE(IconComesFromEachFile(".kovqhandled"));
  EXPECT_TRUE(IconComesFromEachFile(".lnk"));
  EXPECT_TRUE(IconComesFromEachFile(".url"));
  EXPECT_FALSE(IconComesFromEachFile(".kovqshared"));
  EXPECT_FALSE(IconComesFromEachFile(".kovqnone"));
  EXPECT_FALSE(IconComesFromEachFile(""));

  TTempTree tree;
  WriteIconFile(tree.Path("red.kovqown"), RGB(255, 0, 0));
  WriteIconFile(tree.Path("blue.kovqown"), RGB(0, 0, 255));
  tree.File("plain.kovqext");
  TFileCtrl ctrl(nullptr);
  ctrl.SetFileName(tree.Path("red.kovqown"));
  const int red = ctrl.GetSystemIconIndex();
  ctrl.SetFileName(tree.Path("blue.kovqown"));
  const int blue = ctrl.GetSystemIconIndex();
  EXPECT_EQ(red, DirectIconIndex(tree.Path("red.kovqown")));
  EXPECT_EQ(blue, DirectIconIndex(tree.Path("blue.kovqown")));
  EXPECT_NE(red, blue);
  EXPECT_EQ(ctrl.FileType(), DirectTypeName(tree.Path("blue.kovqown")));

  // A registered extension that names no type: Wine's shell then has no type name for it.
  ctrl.SetFileName(tree.Path("plain.kovqext"));
  const std::string shellType = DirectTypeName(tree.Path("plain.kovqext"));
  EXPECT_EQ(ctrl.FileType(), shellType.empty() ? ".KOVQEXT-Files" : shellType);

  // Files too short to be an icon show what the shell shows for each of them.
  tree.File("short.kovqown", "not an icon");
  tree.File("short.exe", "not a program");
  tree.File("other.exe", "MZ");
  for (const char* name : {"short.kovqown", "short.exe", "other.exe"}) {
    ctrl.SetFileName(tree.Path(name));
    EXPECT_EQ(ctrl.GetSystemIconIndex(), DirectIconIndex(tree.Path(name))) << name;
  }
}

TEST(ShellTypeCache, EveryAssociationTheShellMayUseCountsForPerFileIcons) {
  // The class the extension names hands over to a newer version of itself.
  const TRegisteredType older(".kovqver", "KOVQuillet.Old", "shell32.dll,3");
  older.SetTypeValue("CurVer", "KOVQuillet.New");
  const TRegisteredType newer(".kovqnewer", "KOVQuillet.New", "%1");
  EXPECT_TRUE(IconComesFromEachFile(".kovqver"));
  // Settings the system keeps for the extension whatever its class.
  const TRegisteredType plain(".kovqsys", "KOVQuillet.Plain", "shell32.dll,3");
  EXPECT_FALSE(IconComesFromEachFile(".kovqsys"));
  const TRegisteredType system("SystemFileAssociations\\.kovqsys", "", "%1");
  EXPECT_TRUE(IconComesFromEachFile(".kovqsys"));
  // The program the user chose for the extension shows shortcuts.
  const TRegisteredType chosen(".kovqchosen", "KOVQuillet.Chosen", "shell32.dll,3");
  chosen.AddTypeKey("shellex\\IconHandler");
  const std::string choice =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.kovqchoice";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (choice + "\\UserChoice").c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "ProgId", 0, REG_SZ, reinterpret_cast<const BYTE*>("KOVQuillet.Chosen"),
                 sizeof "KOVQuillet.Chosen");
  RegCloseKey(key);
  EXPECT_TRUE(IconComesFromEachFile(".kovqchoice"));
  RegDeleteTreeA(HKEY_CURRENT_USER, choice.c_str());
  EXPECT_FALSE(IconComesFromEachFile(".kovqchoice"));
}

TEST(ShellTypeCache, TheFallbackTypeNameIsTheCapitalisedExtension) {
  EXPECT_EQ(FallbackTypeName("C:\\data\\report.xyz"), ".XYZ-Files");
  EXPECT_EQ(FallbackTypeName("C:\\data\\archive.tar.Gz"), ".GZ-Files");
  EXPECT_EQ(FallbackTypeName("C:\\data\\my.file name"), ".FILE NAME-Files");
  EXPECT_EQ(FallbackTypeName("C:\\data\\caf\xe9.\xe9t\xe9"), ".\xe9T\xe9-Files");
  EXPECT_EQ(FallbackTypeName("C:\\data\\noext"), "-Files");
  EXPECT_EQ(FallbackTypeName("C:\\da.ta\\noext"), "-Files");
  EXPECT_EQ(FallbackTypeName("C:\\data\\file.txt:stream"), "-Files");
  EXPECT_EQ(FallbackTypeName(""), "-Files");
}

} // namespace
