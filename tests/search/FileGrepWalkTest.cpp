#include "Application.h"
#include "GrepRecorder.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

using TLines = std::vector<std::string>;

TLines Sorted(TLines lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

// One direct run with these masks; answers the found records as the recorder shows them.
TLines SearchWith(TFileGrep& grep, TGrepRecorder& recorder, const std::string& masks) {
  recorder.Events.clear();
  grep.SetThreadedSearch(false);
  grep.SetFileMasks(masks);
  grep.Start();
  return recorder.Shown(TGrepEvent::Found);
}

TLines Lines(const TStrings& strings) {
  TLines lines;
  for (int i = 0; i < strings.Count(); ++i) {
    lines.push_back(strings.Get(i));
  }
  return lines;
}

TEST(FileGrepWalkTest, WalksDepthFirstInPreOrderNamingFoldersWithOneBackslash) {
  TApplication application;
  TTempTree tree;
  tree.File("a.txt");
  tree.File("skip.dat");
  tree.Folder("one");
  tree.File("one\\b.txt");
  tree.Folder("one\\deep");
  tree.File("one\\deep\\c.txt");
  tree.Folder("two");
  tree.File("two\\d.txt");
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());

  // Siblings come in the platform's order; each is walked completely before the next.
  const TLines root = {R"(dir ~\)", R"(found ~\;a.txt;)"};
  const TLines one = {R"(dir ~\one\)", R"(found ~\one\;b.txt;)", R"(dir ~\one\deep\)",
                      R"(found ~\one\deep\;c.txt;)"};
  const TLines two = {R"(dir ~\two\)", R"(found ~\two\;d.txt;)"};
  const TLines end = {"finished", "end"};
  TLines oneFirst = root, twoFirst = root;
  for (const TLines* part : {&one, &two, &end}) {
    oneFirst.insert(oneFirst.end(), part->begin(), part->end());
  }
  for (const TLines* part : {&two, &one, &end}) {
    twoFirst.insert(twoFirst.end(), part->begin(), part->end());
  }

  for (const std::string& dirs : {tree.Root(), tree.Root() + "\\"}) {
    SCOPED_TRACE(dirs);
    grep.SetDirs(dirs);
    SearchWith(grep, recorder, "*.txt");
    const TLines trace = recorder.Trace();
    EXPECT_TRUE(trace == oneFirst || trace == twoFirst) << testing::PrintToString(trace);
    EXPECT_EQ(recorder.ForeignSenders, 0);
    EXPECT_EQ(Lines(grep.FoundList()), recorder.Arguments(TGrepEvent::Found));
  }
}

TEST(FileGrepWalkTest, WalksEveryPieceOfTheFolderListAndAnEmptyPieceAsTheDriveRoot) {
  TApplication application;
  TTempTree tree;
  tree.Folder("A");
  tree.File("A\\a.txt");
  tree.Folder("B");
  tree.File("B\\b.txt");
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());

  grep.SetDirs(tree.Path("A") + ";" + tree.Path("B"));
  SearchWith(grep, recorder, "*.txt");
  EXPECT_EQ(recorder.Trace(), (TLines{R"(dir ~\A\)", R"(found ~\A\;a.txt;)", R"(dir ~\B\)",
                                      R"(found ~\B\;b.txt;)", "finished", "end"}));

  // What the root of the drive holds is not this test's business; only how it is named.
  grep.SetRecurseSubDirs(false);
  const std::string a = tree.Path("A");
  const std::pair<std::string, TLines> cases[] = {
      {"", {"\\"}},
      {a + ";", {a + "\\", "\\"}},
      {";" + a, {"\\", a + "\\"}},
  };
  for (const auto& [dirs, entered] : cases) {
    grep.SetDirs(dirs);
    SearchWith(grep, recorder, "kovquillet-no-such-name.none");
    EXPECT_EQ(recorder.Arguments(TGrepEvent::DirChange), entered) << '"' << dirs << '"';
    EXPECT_EQ(recorder.Count(TGrepEvent::Finished), 1);
  }
}

TEST(FileGrepWalkTest, SplitsTheMaskListAtEverySemicolonAndLeavesThePlatformToMatch) {
  TApplication application;
  TTempTree tree;
  for (const char* name : {"a.txt", "ab.txt", "two.dll", "three.exe", " four.exe"}) {
    tree.File(name);
  }
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Root());

  // Masks differing only in case: each mask finds every match, mask by mask.
  const TLines twice = SearchWith(grep, recorder, "*.txt;*.TXT");
  ASSERT_EQ(twice.size(), 4u);
  const TLines txt = {R"(~\;a.txt;)", R"(~\;ab.txt;)"};
  EXPECT_EQ(Sorted({twice[0], twice[1]}), txt);
  EXPECT_EQ(Sorted({twice[2], twice[3]}), txt);

  // Masks are not trimmed: " *.exe" wants a name that begins with a space.
  EXPECT_EQ(SearchWith(grep, recorder, "*.dll; *.exe"),
            (TLines{R"(~\;two.dll;)", R"(~\; four.exe;)"}));

  // Empty masks find nothing, and the run still ends normally.
  for (const char* masks : {";;", "", ";two.dll", "two.dll;", ";;two.dll;;"}) {
    const TLines found = SearchWith(grep, recorder, masks);
    const TLines expected =
        std::string(masks).find("two") == std::string::npos ? TLines{} : TLines{R"(~\;two.dll;)"};
    EXPECT_EQ(found, expected) << '"' << masks << '"';
    EXPECT_EQ(recorder.Trace().back(), "end");
  }

  EXPECT_EQ(SearchWith(grep, recorder, "?.txt"), (TLines{R"(~\;a.txt;)"}));
  EXPECT_EQ(Sorted(SearchWith(grep, recorder, "a*")), txt);
  EXPECT_EQ(SearchWith(grep, recorder, "t?o.*"), (TLines{R"(~\;two.dll;)"}));
  EXPECT_EQ(Sorted(SearchWith(grep, recorder, "*o*.exe")), (TLines{R"(~\; four.exe;)"}));
}

TEST(FileGrepWalkTest, HonoursEveryMaskOfALongList) {
  TApplication application;
  TTempTree tree;
  std::string masks;
  TLines expected;
  for (int i = 0; i < 150; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d.dat", i);
    tree.File(name);
    if (i > 0) {
      masks += ';';
    }
    masks += name;
    expected.push_back(R"(~\;)" + std::string(name) + ";");
  }
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Root());
  // Each mask finds its one file, so the records come in mask order.
  EXPECT_EQ(SearchWith(grep, recorder, masks), expected);
}

TEST(FileGrepWalkTest, ReportsEveryEntryButDotsAndDescendsAllButSystemFolders) {
  TApplication application;
  TTempTree tree;
  tree.File("a.txt");
  tree.File("hidden.txt", "", FILE_ATTRIBUTE_HIDDEN);
  tree.File("system.txt", "", FILE_ATTRIBUTE_SYSTEM);
  tree.Folder("sub");
  tree.File("sub\\b.txt");
  tree.Folder("hid", FILE_ATTRIBUTE_HIDDEN);
  tree.File("hid\\h.txt");
  tree.Folder("sys", FILE_ATTRIBUTE_SYSTEM);
  tree.File("sys\\s.txt");
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Root());

  // Subfolders are entries of "*.*" like files, with their parent as folder part.
  const TLines topLevel = {R"(~\;a.txt;)", R"(~\;hid;)", R"(~\;hidden.txt;)",
                           R"(~\;sub;)",   R"(~\;sys;)", R"(~\;system.txt;)"};
  TLines all = topLevel;
  all.insert(all.end(), {R"(~\hid\;h.txt;)", R"(~\sub\;b.txt;)"});
  EXPECT_EQ(Sorted(SearchWith(grep, recorder, "*.*")), Sorted(all));
  EXPECT_EQ(Sorted(recorder.Shown(TGrepEvent::DirChange)),
            (TLines{R"(~\)", R"(~\hid\)", R"(~\sub\)"}));
  // The mask pass still looks at "." and "..": once each in every folder entered.
  const TLines looked = recorder.Arguments(TGrepEvent::FileChange);
  EXPECT_EQ(std::count(looked.begin(), looked.end(), "."), 3);
  EXPECT_EQ(std::count(looked.begin(), looked.end(), ".."), 3);

  grep.SetRecurseSubDirs(false);
  EXPECT_EQ(Sorted(SearchWith(grep, recorder, "*.*")), topLevel);
  EXPECT_EQ(recorder.Arguments(TGrepEvent::DirChange), TLines{tree.Root() + "\\"});
}

TEST(FileGrepWalkTest, AMissingStartFolderIsEnteredAndYieldsNothing) {
  TApplication application;
  TTempTree tree;
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Path("missing"));
  SearchWith(grep, recorder, "*.*");
  EXPECT_EQ(recorder.Trace(), (TLines{R"(dir ~\missing\)", "finished", "end"}));
}

TEST(FileGrepWalkTest, ComparesSizesAsSixtyFourBitNumbers) {
  TApplication application;
  TTempTree tree;
  tree.File("s000");
  tree.File("s099", std::string(99, 'x'));
  tree.File("s100", std::string(100, 'x'));
  tree.File("s101", std::string(101, 'x'));
  // A 32-bit view would read 3 GiB as negative and 4 GiB + 50 as 50 bytes.
  tree.SparseFile("big3g", std::uint64_t{3} << 30);
  tree.SparseFile("big4g50", (std::uint64_t{4} << 30) + 50);
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Root());
  const auto found = [&](std::int32_t minSize, std::int32_t maxSize) {
    grep.SetMinSize(minSize);
    grep.SetMaxSize(maxSize);
    TLines names;
    for (const std::string& record : SearchWith(grep, recorder, "s*;big*")) {
      names.push_back(record.substr(3, record.size() - 4)); // between "~\;" and ";"
    }
    return Sorted(names);
  };
  EXPECT_EQ(found(0, 0), (TLines{"big3g", "big4g50", "s000", "s099", "s100", "s101"}));
  EXPECT_EQ(found(100, 100), (TLines{"s100"}));
  EXPECT_EQ(found(100, 0), (TLines{"big3g", "big4g50", "s100", "s101"}));
  EXPECT_EQ(found(0, 2147483647), (TLines{"s000", "s099", "s100", "s101"}));
  EXPECT_EQ(found(50, 50), TLines{});
}

TEST(FileGrepWalkTest, BuildsTheFoundRecordFromTheLiveReturnValuesAndDelimiter) {
  TApplication application;
  TTempTree tree;
  tree.File("a.txt");
  tree.Folder("sub");
  tree.File("sub\\b.txt");
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Root());
  EXPECT_EQ(SearchWith(grep, recorder, "*.txt"), (TLines{R"(~\;a.txt;)", R"(~\sub\;b.txt;)"}));

  // Changed by a handler mid-run, they shape the very next record.
  recorder.Hook = [&](TGrepEvent kind, const std::string& name) {
    if (kind == TGrepEvent::DirChange && recorder.Short(name) == R"(~\sub\)") {
      grep.SetReturnValues({rvFilename});
      grep.SetReturnDelimiter('|');
    }
  };
  EXPECT_EQ(SearchWith(grep, recorder, "*.txt"), (TLines{R"(~\;a.txt;)", "b.txt|"}));
  recorder.Hook = nullptr;

  grep.SetReturnValues({rvDir});
  EXPECT_EQ(SearchWith(grep, recorder, "*.txt"), (TLines{R"(~\|)", R"(~\sub\|)"}));

  grep.SetReturnValues({});
  EXPECT_EQ(SearchWith(grep, recorder, "*.txt"), (TLines{"", ""}));
  EXPECT_EQ(Lines(grep.FoundList()), (TLines{"", ""}));
}

TEST(FileGrepWalkTest, KeepsTheLastRunsRecordsAndCopiesThemToTheListBox) {
  TApplication application;
  TTempTree tree;
  tree.File("a.txt");
  tree.File("b.txt");
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Root());
  const std::string a = tree.Root() + "\\;a.txt;";

  auto* list = new TListBox(nullptr, nullptr);
  grep.SetOutStringList(list);
  EXPECT_EQ(SearchWith(grep, recorder, "*.txt").size(), 2u);
  EXPECT_EQ(Lines(list->Items()), Lines(grep.FoundList()));

  int countAtStart = -1;
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::DirChange) {
      countAtStart = grep.FoundList().Count();
    }
  };
  SearchWith(grep, recorder, "a.txt");
  recorder.Hook = nullptr;
  EXPECT_EQ(countAtStart, 0);
  EXPECT_EQ(Lines(grep.FoundList()), TLines{a});
  EXPECT_EQ(list->Items().Count(), 3); // the list box is only ever added to

  delete list;
  EXPECT_EQ(grep.OutStringList(), nullptr);
  SearchWith(grep, recorder, "a.txt");
  EXPECT_EQ(Lines(grep.FoundList()), TLines{a});

  // Destroyed by a handler while the run goes on.
  list = new TListBox(nullptr, nullptr);
  grep.SetOutStringList(list);
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::Found && list != nullptr) {
      delete std::exchange(list, nullptr);
    }
  };
  EXPECT_EQ(SearchWith(grep, recorder, "*.txt").size(), 2u);
  EXPECT_EQ(grep.OutStringList(), nullptr);
  EXPECT_EQ(grep.FoundList().Count(), 2);
}

TEST(FileGrepWalkTest, APatternLongerThanThePathLimitFindsNothingQuietly) {
  TApplication application;
  TTempTree tree;
  tree.File("a.txt");
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  const std::string longName(300, 'x');

  grep.SetDirs(tree.Root());
  EXPECT_EQ(SearchWith(grep, recorder, longName + "*;*.txt"), (TLines{R"(~\;a.txt;)"}));

  grep.SetDirs(tree.Path(longName) + ";" + tree.Root());
  EXPECT_EQ(SearchWith(grep, recorder, "*.*"), (TLines{R"(~\;a.txt;)"}));
  EXPECT_EQ(recorder.Arguments(TGrepEvent::DirChange),
            (TLines{tree.Path(longName) + "\\", tree.Root() + "\\"}));
  EXPECT_EQ(recorder.Trace().back(), "end");
  EXPECT_EQ(recorder.Count(TGrepEvent::Finished), 1);
}

} // namespace
