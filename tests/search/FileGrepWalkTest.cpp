#include "search/FileGrep.h"

#include "support/Pump.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

TEST(FileGrepWalkTest, Smoke) {
  TApplication application;
  TTempTree tree;
  tree.File("a.txt", "x");
  TFileGrep grep(nullptr);
  grep.SetThreadedSearch(false);
  grep.SetDirs(tree.Root());
  grep.SetFileMasks("*.txt");
  grep.Start();
  ASSERT_EQ(grep.FoundList().Count(), 1);
  EXPECT_EQ(grep.FoundList().Get(0), tree.Root() + "\\;a.txt;");
}

} // namespace
