#include "FileGrep.h"

#include "Application.h"

#include <gtest/gtest.h>

namespace {

TDateTime Date(int year, int month, int day) {
  TDateTime value = 0;
  EXPECT_TRUE(TryEncodeDateTime({.Year = year, .Month = month, .Day = day}, value));
  return value;
}

TEST(FileGrepPropertiesTest, ANewComponentHasTheDeclaredDefaults) {
  TApplication application;
  TFileGrep grep(nullptr);
  EXPECT_EQ(grep.About(), "");
  EXPECT_EQ(grep.FileMasks(), "");
  EXPECT_EQ(grep.Dirs(), "");
  EXPECT_EQ(grep.Attributes(), TFileGrepAttributes{fmAnyfile});
  for (const TSearchDateTime* date :
       {&grep.CreatedAfter(), &grep.CreatedBefore(), &grep.AccessedAfter(), &grep.AccessedBefore(),
        &grep.ModifiedAfter(), &grep.ModifiedBefore()}) {
    EXPECT_EQ(date->Value(), Date(1990, 1, 1));
  }
  EXPECT_EQ(grep.MinSize(), 0);
  EXPECT_EQ(grep.MaxSize(), 0);
  EXPECT_EQ(grep.Content(), "");
  EXPECT_TRUE(grep.CaseSensitiveContent());
  EXPECT_TRUE(grep.ThreadedSearch());
  EXPECT_EQ(grep.ThreadPriority(), tpNormal);
  EXPECT_TRUE(grep.RecurseSubDirs());
  EXPECT_EQ(grep.OutStringList(), nullptr);
  EXPECT_EQ(grep.ReturnValues(), (TReturnValues{rvDir, rvFilename}));
  EXPECT_EQ(grep.ReturnDelimiter(), ';');
  EXPECT_TRUE(grep.LookForDates().Empty());
  EXPECT_EQ(grep.Worker(), nullptr);
  EXPECT_FALSE(grep.CancelRequested());
  EXPECT_EQ(grep.FoundList().Count(), 0);
  for (const bool assigned :
       {grep.OnFinished.Assigned(), grep.OnCancel.Assigned(), grep.OnFound.Assigned(),
        grep.OnDirChange.Assigned(), grep.OnEnd.Assigned(), grep.OnFileChange.Assigned()}) {
    EXPECT_FALSE(assigned);
  }
}

TEST(FileGrepPropertiesTest, AttributeMaskStandsForTheAttributeSet) {
  TApplication application;
  TFileGrep grep(nullptr);
  const std::pair<TFileGrepAttributes, DWORD> cases[] = {
      {{fmAnyfile}, 0x3F},
      {{fmArchive, fmAnyfile}, 0x3F},
      {{fmReadOnly, fmHidden, fmSystem, fmAnyfile}, 0x3F},
      {{fmReadOnly, fmHidden}, 0x03},
      {{fmSystem}, 0x04},
      {{fmArchive}, 0x20},
      {{fmReadOnly, fmArchive, fmSystem, fmHidden}, 0x27},
      {{}, 0},
  };
  for (const auto& [attributes, mask] : cases) {
    grep.SetAttributes(attributes);
    EXPECT_EQ(grep.AttributeMask(), mask) << std::hex << mask;
  }
}

TEST(FileGrepPropertiesTest, DateSettersCopyIntoTheirOwnBoundOnly) {
  TApplication application;
  using TSetter = void (TFileGrep::*)(const TSearchDateTime&);
  const TSetter setters[] = {&TFileGrep::SetCreatedAfter,  &TFileGrep::SetCreatedBefore,
                             &TFileGrep::SetAccessedAfter, &TFileGrep::SetAccessedBefore,
                             &TFileGrep::SetModifiedAfter, &TFileGrep::SetModifiedBefore};
  for (int index = 0; index < DateBoundCount; ++index) {
    SCOPED_TRACE(index);
    TFileGrep grep(nullptr);
    TSearchDateTime date;
    date.SetYear(2001);
    date.SetMonth(2);
    date.SetDay(3);
    (grep.*setters[index])(date);
    date.SetYear(2010); // the component holds a copy, not this object
    const TDateTime set = Date(2001, 2, 3);

    grep.SetLookForDates({});
    for (int bound = 0; bound < DateBoundCount; ++bound) {
      EXPECT_EQ(grep.DateBound(bound), 0);
    }
    // Each bound applies alone, when LookForDates holds its index.
    for (int bound = 0; bound < DateBoundCount; ++bound) {
      grep.SetLookForDates({TLookFor(bound)});
      for (int other = 0; other < DateBoundCount; ++other) {
        const TDateTime expected = other != bound ? 0 : bound == index ? set : Date(1990, 1, 1);
        EXPECT_EQ(grep.DateBound(other), expected) << bound << " " << other;
      }
    }
    grep.SetLookForDates({lfCreateAfter, lfCreateBefore, lfAccessedAfter, lfAccessedBefore,
                          lfModifiedAfter, lfModifiedBefore});
    EXPECT_EQ(grep.DateBound(-1), 0);
    EXPECT_EQ(grep.DateBound(DateBoundCount), 0);
    EXPECT_EQ(grep.RunParameters().DateBounds[index], set);
  }
}

TEST(FileGrepPropertiesTest, AboutKeepsAtMostTenCharacters) {
  TApplication application;
  TFileGrep grep(nullptr);
  grep.SetAbout("short");
  EXPECT_EQ(grep.About(), "short");
  grep.SetAbout("0123456789ABCDEF");
  EXPECT_EQ(grep.About(), "0123456789");
}

} // namespace
