#include "FileExists.h"

#include "UniqueHandle.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

FILETIME LocalDate(WORD year, WORD month, WORD day) {
  SYSTEMTIME system = {};
  system.wYear = year;
  system.wMonth = month;
  system.wDay = day;
  FILETIME local;
  FILETIME utc;
  SystemTimeToFileTime(&system, &local);
  LocalFileTimeToFileTime(&local, &utc);
  return utc;
}

void SetLastWrite(const std::string& path, const FILETIME& time) {
  const TFileHandle file(
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file);
  ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &time));
}

TEST(FileExistsTest, AFoundFileExistsWhateverItsDatesAndAFolderDoesNot) {
  TTempTree tree;
  tree.File("old.txt", "1979");
  tree.File("new.txt", "2150");
  tree.Folder("folder");
  SetLastWrite(tree.Path("old.txt"), LocalDate(1979, 12, 31));
  SetLastWrite(tree.Path("new.txt"), LocalDate(2150, 1, 1));

  EXPECT_TRUE(FileExistsTest(tree.Path("old.txt")));
  EXPECT_TRUE(FileExistsTest(tree.Path("new.txt")));
  EXPECT_FALSE(FileExistsTest(tree.Path("folder")));
  EXPECT_FALSE(FileExistsTest(tree.Path("missing.txt")));
  EXPECT_FALSE(FileExistsTest(""));
  // A pattern that matches a file is not that file.
  EXPECT_FALSE(FileExistsTest(tree.Path("old.*")));
  EXPECT_FALSE(FileExistsTest(tree.Path("ne?.txt")));
}

TEST(FileExistsTest, FactsOfAFileHeldOpenWithoutSharingAreStillRead) {
  TTempTree tree;
  tree.File("held.txt", std::string(1234, 'x'), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  SetLastWrite(tree.Path("held.txt"), LocalDate(2001, 2, 3));
  const TFileHandle holder(CreateFileA(tree.Path("held.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                                       0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder);

  const std::optional<TFileFacts> facts = FindFileFacts(tree.Path("held.txt"));
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->Size, 1234);
  EXPECT_EQ(facts->Attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
            DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});
  const FILETIME expected = LocalDate(2001, 2, 3);
  EXPECT_EQ(CompareFileTime(&facts->LastWrite, &expected), 0);
}

TEST(FileExistsTest, AFileFoundByItsShortNameTellsItsLongName) {
  TTempTree tree;
  tree.File("a rather long name.text", "12345");
  char shortPath[MAX_PATH] = {};
  const DWORD length =
      GetShortPathNameA(tree.Path("a rather long name.text").c_str(), shortPath, MAX_PATH);
  ASSERT_GT(length, 0u);
  ASSERT_LT(length, DWORD{MAX_PATH});
  const std::optional<TFileFacts> facts = FindFileFacts(shortPath);
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->Name, "a rather long name.text");
  EXPECT_EQ(facts->Size, 5);
  // The name given is the name told when it is the folder's own.
  EXPECT_EQ(FindFileFacts(tree.Path("a rather long name.text"))->Name, "a rather long name.text");
}

} // namespace
