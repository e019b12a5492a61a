#include "Application.h"
#include "GrepRecorder.h"

#include "support/FolderLink.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using TLines = std::vector<std::string>;

TLines Sorted(TLines lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

TEST(FileGrepLinkTest, FollowsFolderLinksButNotOnesLeadingBackToTheirOwnFolders) {
  TApplication application;
  TTempTree tree;
  tree.Folder("top");
  tree.File("top\\a.txt");
  tree.Folder("b");
  tree.Folder("c");
  tree.File("c\\c.txt");
  for (const auto& [link, target] :
       {std::pair{"top\\self", "top"}, std::pair{"top\\up", ""}, std::pair{"b\\sibling", "c"}}) {
    const std::string failure = MakeFolderLink(tree.Path(link), tree.Path(target));
    if (!failure.empty()) {
      GTEST_SKIP() << "no folder link can be made here: " << failure;
    }
  }
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetThreadedSearch(false);
  grep.SetDirs(tree.Root());
  // Were a cycle followed, the walk would go on until paths grew too long: stop it early.
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::DirChange && recorder.Count(kind) > 20) {
      grep.Cancel();
    }
  };

  grep.SetFileMasks("*.txt");
  grep.Start();
  EXPECT_EQ(Sorted(recorder.Shown(TGrepEvent::DirChange)),
            (TLines{R"(~\)", R"(~\b\)", R"(~\b\sibling\)", R"(~\c\)", R"(~\top\)"}));
  EXPECT_EQ(Sorted(recorder.Shown(TGrepEvent::Found)),
            (TLines{R"(~\b\sibling\;c.txt;)", R"(~\c\;c.txt;)", R"(~\top\;a.txt;)"}));
  EXPECT_EQ(recorder.Trace().back(), "end");

  // A link that is not descended into is still an entry of its folder.
  recorder.Events.clear();
  grep.SetFileMasks("*.*");
  grep.Start();
  const TLines found = Sorted(recorder.Shown(TGrepEvent::Found));
  for (const char* link : {R"(~\top\;self;)", R"(~\top\;up;)", R"(~\b\;sibling;)"}) {
    EXPECT_EQ(std::count(found.begin(), found.end(), link), 1) << link;
  }
  EXPECT_EQ(recorder.Count(TGrepEvent::DirChange), 5);
}

} // namespace
