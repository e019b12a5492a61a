#include "MainWindowTest.h"
#include "ResultRowFixtures.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

class CodePage932Test : public TMainWindowTest {};

// Runs where the ANSI code page is 932 (make test starts a session in a Japanese locale for
// it). There the second byte of a double-byte character may be that of "\".
TEST_F(CodePage932Test, DoubleByteNamesWithBackslashBytesGetTheirFullRows) {
  if (GetACP() != 932) {
    GTEST_SKIP() << "the ANSI code page is " << GetACP();
  }
  const std::string so = "\x83\x5C";                             // ソ
  const std::string name = so + "\x83t\x83g.txt";                // ソフト.txt
  const std::string folder = "\x83\x5C\x83\x74\x83\x67\x83\x5C"; // ソフトソ
  TTempTree tree;
  tree.Folder(folder);
  tree.File(folder + "\\" + name, "twelve bytes");
  TMainWindowSession session(Log());
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt", true));

  const TListView& list = *session.Form().ListView;
  ASSERT_EQ(list.ItemCount(), 1);
  const std::vector<std::string> row = RowTexts(list, 0);
  EXPECT_EQ(row[rcName], name);
  EXPECT_EQ(row[rcDirectory], tree.Path(folder) + "\\");
  EXPECT_EQ(row[rcSize], "12");
  EXPECT_FALSE(row[rcLastModified].empty());
  EXPECT_FALSE(row[rcType].empty());
}

} // namespace
