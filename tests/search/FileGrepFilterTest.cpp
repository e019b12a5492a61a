#include "FileGrep.h"

#include "Application.h"
#include "FormatDateTime.h"
#include "UniqueHandle.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using TLines = std::vector<std::string>;

// The records of one direct run over the folder, without recursion, sorted.
TLines Found(TFileGrep& grep, const std::string& folder) {
  grep.SetThreadedSearch(false);
  grep.SetRecurseSubDirs(false);
  grep.SetDirs(folder);
  grep.SetFileMasks("*");
  grep.Start();
  TLines records;
  for (int i = 0; i < grep.FoundList().Count(); ++i) {
    records.push_back(grep.FoundList().Get(i));
  }
  std::sort(records.begin(), records.end());
  return records;
}

// The names the run finds, sorted.
TLines FoundNames(TFileGrep& grep, const std::string& folder) {
  grep.SetReturnValues({rvFilename});
  TLines names = Found(grep, folder);
  for (std::string& name : names) {
    name.pop_back(); // the delimiter
  }
  return names;
}

FILETIME FromLocal(const TDateTimeParts& local) {
  const SYSTEMTIME system = {static_cast<WORD>(local.Year),
                             static_cast<WORD>(local.Month),
                             0,
                             static_cast<WORD>(local.Day),
                             static_cast<WORD>(local.Hour),
                             static_cast<WORD>(local.Minute),
                             static_cast<WORD>(local.Second),
                             0};
  FILETIME localTime;
  FILETIME utc;
  EXPECT_TRUE(SystemTimeToFileTime(&system, &localTime));
  EXPECT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
  return utc;
}

// Wine keeps no creation time of its own and shows the last-write time there, so tests give
// both the same time.
void SetTimes(const std::string& path, const TDateTimeParts& written,
              const TDateTimeParts& accessed) {
  const FILETIME write = FromLocal(written);
  const FILETIME access = FromLocal(accessed);
  const TFileHandle file(
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file) << path;
  ASSERT_TRUE(SetFileTime(file.get(), &write, &access, &write));
}

TSearchDateTime BoundAt(const TDateTimeParts& local) {
  TSearchDateTime bound;
  bound.SetYear(local.Year);
  bound.SetMonth(local.Month);
  bound.SetDay(local.Day);
  bound.SetHour(local.Hour);
  bound.SetMinute(local.Minute);
  bound.SetSecond(local.Second);
  return bound;
}

std::string LongDate(const TDateTimeParts& local) {
  TDateTime value = 0;
  EXPECT_TRUE(TryEncodeDateTime(local, value));
  return FormatDateTime(FormatSettings().LongDateFormat, value);
}

TEST(FileGrepFilterTest, RequiresEverySelectedAttribute) {
  TApplication application;
  TTempTree tree;
  // Wine gives every file the archive attribute whatever is asked, so all files have it here
  // and only the folders lack it.
  const DWORD archive = FILE_ATTRIBUTE_ARCHIVE;
  tree.File("readonly", "", FILE_ATTRIBUTE_READONLY | archive);
  tree.File("hidden", "", FILE_ATTRIBUTE_HIDDEN | archive);
  tree.File("both", "", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | archive);
  tree.File("system", "", FILE_ATTRIBUTE_SYSTEM | archive);
  tree.File("all", "",
            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | archive);
  tree.Folder("folder");
  tree.Folder("hiddenfolder", FILE_ATTRIBUTE_HIDDEN);
  const TLines everything = {"all",          "both",     "folder", "hidden",
                             "hiddenfolder", "readonly", "system"};
  TFileGrep grep(nullptr);

  const std::pair<TFileGrepAttributes, TLines> cases[] = {
      {{fmReadOnly, fmHidden}, {"all", "both"}},
      {{fmSystem}, {"all", "system"}},
      {{fmHidden}, {"all", "both", "hidden", "hiddenfolder"}},
      {{fmArchive, fmHidden}, {"all", "both", "hidden"}},
      {{fmArchive, fmReadOnly, fmSystem, fmHidden}, {"all"}},
      // With fmAnyfile, or with nothing selected, no attribute is tested.
      {{fmHidden, fmAnyfile}, everything},
      {{}, everything},
  };
  for (const auto& [attributes, expected] : cases) {
    grep.SetAttributes(attributes);
    EXPECT_EQ(FoundNames(grep, tree.Root()), expected) << testing::PrintToString(expected);
  }
}

TEST(FileGrepFilterTest, AppliesADateBoundOnlyWhenSelectedAndAboveZeroBothEndsIncluded) {
  TApplication application;
  TTempTree tree;
  tree.File("f.txt");
  const TDateTimeParts written{2020, 5, 6, 10, 20, 30};
  const TDateTimeParts accessed{2019, 1, 3, 3, 4, 5};
  SetTimes(tree.Path("f.txt"), written, accessed);
  const TDateTimeParts writtenBefore{2020, 5, 6, 10, 20, 29};
  const TDateTimeParts writtenAfter{2020, 5, 6, 10, 20, 31};
  const TDateTimeParts accessedBefore{2019, 1, 3, 3, 4, 4};
  const TDateTimeParts accessedAfter{2019, 1, 3, 3, 4, 6};

  TFileGrep grep(nullptr);
  void (TFileGrep::*const setters[])(const TSearchDateTime&) = {
      &TFileGrep::SetCreatedAfter,   &TFileGrep::SetCreatedBefore, &TFileGrep::SetAccessedAfter,
      &TFileGrep::SetAccessedBefore, &TFileGrep::SetModifiedAfter, &TFileGrep::SetModifiedBefore};
  // Bounds that each reject the file once they apply.
  const TDateTimeParts rejecting[] = {writtenAfter,   writtenBefore, accessedAfter,
                                      accessedBefore, writtenAfter,  writtenBefore};
  for (int bound = 0; bound < DateBoundCount; ++bound) {
    (grep.*setters[bound])(BoundAt(rejecting[bound]));
  }
  EXPECT_EQ(FoundNames(grep, tree.Root()), TLines{"f.txt"}) << "no bound selected";
  for (int bound = 0; bound < DateBoundCount; ++bound) {
    grep.SetLookForDates({TLookFor(bound)});
    EXPECT_EQ(FoundNames(grep, tree.Root()), TLines{}) << "bound " << bound;
  }

  struct TCase {
    TLookFor Bound;
    TDateTimeParts At;
    bool Passes;
  };
  const TCase cases[] = {
      // A time exactly at a bound passes it.
      {lfModifiedAfter, written, true},
      {lfModifiedBefore, written, true},
      {lfAccessedAfter, accessed, true},
      {lfAccessedBefore, accessed, true},
      {lfCreateAfter, written, true},
      {lfCreateBefore, written, true},
      // Each bound tests its own time.
      {lfAccessedBefore, writtenBefore, true},
      {lfModifiedAfter, accessedAfter, true},
      // The date-time number 0 (30 December 1899) and below sets no bound; the day after does.
      {lfModifiedBefore, {1899, 12, 30}, true},
      {lfModifiedBefore, {1850, 6, 1}, true},
      {lfModifiedBefore, {1899, 12, 31}, false},
  };
  for (const TCase& c : cases) {
    (grep.*setters[c.Bound])(BoundAt(c.At));
    grep.SetLookForDates({c.Bound});
    EXPECT_EQ(FoundNames(grep, tree.Root()).size(), c.Passes ? 1u : 0u)
        << "bound " << c.Bound << " at " << c.At.Year << "-" << c.At.Month << "-" << c.At.Day << " "
        << c.At.Hour << ":" << c.At.Minute << ":" << c.At.Second;
  }
}

TEST(FileGrepFilterTest, ReportsOnlyFilesWhoseBytesContainTheText) {
  TApplication application;
  TTempTree tree;
  tree.File("upper.txt", "xxABCxx");
  tree.File("mixed.txt", "aBc");
  tree.File("lower.txt", "..abc..");
  tree.File("apart.txt", "ab c");
  tree.File("aaab.txt", "aaab");
  tree.File("empty.txt");
  tree.File("locked.txt", "abc");
  tree.Folder("abc");
  TFileGrep grep(nullptr);

  grep.SetContent("abc");
  grep.SetCaseSensitiveContent(false);
  const TLines anyCase = {"lower.txt", "mixed.txt", "upper.txt"};
  {
    // Held open by someone who shares it with nobody: it cannot be read, so it is left out.
    const TFileHandle exclusive(CreateFileA(tree.Path("locked.txt").c_str(), GENERIC_READ, 0,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(exclusive);
    EXPECT_EQ(FoundNames(grep, tree.Root()), anyCase);
  }
  grep.SetContent("aBC");
  TLines readable = anyCase;
  readable.insert(readable.begin(), "locked.txt");
  EXPECT_EQ(FoundNames(grep, tree.Root()), readable);

  grep.SetContent("abc");
  grep.SetCaseSensitiveContent(true);
  EXPECT_EQ(FoundNames(grep, tree.Root()), (TLines{"locked.txt", "lower.txt"}));

  grep.SetContent("aab");
  EXPECT_EQ(FoundNames(grep, tree.Root()), TLines{"aaab.txt"});

  // Without a text every entry passes, the folder and the empty file too.
  grep.SetContent("");
  EXPECT_EQ(FoundNames(grep, tree.Root()).size(), 8u);
}

TEST(FileGrepFilterTest, AppendsTheExtraFieldsInTheirOrder) {
  TApplication application;
  TTempTree tree;
  tree.Folder("x");
  tree.File("x\\h.txt", "", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  tree.File("all.txt", "12345");
  const TDateTimeParts written{2020, 5, 6, 10, 20, 30};
  const TDateTimeParts accessed{2019, 1, 3, 3, 4, 5};
  SetTimes(tree.Path("all.txt"), written, accessed);
  ASSERT_TRUE(SetFileAttributesA(tree.Path("all.txt").c_str(),
                                 FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
  TFileGrep grep(nullptr);

  // The letters come last and have no delimiter after them.
  grep.SetReturnValues({rvAttr, rvDir, rvFilename});
  EXPECT_EQ(Found(grep, tree.Path("x")), TLines{tree.Path("x") + "\\;h.txt;ah"});

  grep.SetFileMasks("all.txt");
  grep.SetReturnValues(
      {rvLastModifiedDate, rvAttr, rvSize, rvLastAccessDate, rvFilename, rvCreateDate, rvDir});
  grep.SetReturnDelimiter('|');
  grep.SetThreadedSearch(false);
  grep.SetDirs(tree.Root());
  grep.Start();
  ASSERT_EQ(grep.FoundList().Count(), 1);
  EXPECT_EQ(grep.FoundList().Get(0), tree.Root() + "\\|all.txt|5|" + LongDate(written) + "|" +
                                         LongDate(accessed) + "|" + LongDate(written) + "|rash");

  grep.SetReturnValues({rvFilename, rvAttr});
  grep.SetReturnDelimiter(';');
  EXPECT_EQ(Found(grep, tree.Root()), (TLines{"all.txt;rash", "x;d"}));
}

TEST(FileGrepFilterTest, WritesTheWholeSizeOfFilesOfFourGigabytesAndMore) {
  TApplication application;
  TTempTree tree;
  tree.SparseFile("big3g", std::uint64_t{3} << 30);
  tree.SparseFile("big4g50", (std::uint64_t{4} << 30) + 50);
  TFileGrep grep(nullptr);
  grep.SetReturnValues({rvFilename, rvSize});
  EXPECT_EQ(Found(grep, tree.Root()), (TLines{"big3g;3221225472;", "big4g50;4294967346;"}));
}

} // namespace
