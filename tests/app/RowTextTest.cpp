#include "QuilletMain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RowTextTest, RowsCompareAsTheSystemComparesTextsInEitherDirection) {
  struct TCase {
    const char* First;
    const char* Second;
    int Ascending; // the sign when sorting ascending
  };
  const TCase cases[] = {
      {"a", "B", -1}, {"B", "a", 1},       {"abc", "ABC", -1},  {"10", "9", -1},
      {"", "x", -1},  {"same", "same", 0}, {"1.10", "1.9", -1},
  };
  for (const bool ascending : {true, false}) {
    SortAscending = ascending;
    for (const TCase& test : cases) {
      SCOPED_TRACE(std::string(test.First) + " against " + test.Second);
      const int sign = (CompareRows(test.First, test.Second, 3) > 0) -
                       (CompareRows(test.First, test.Second, 3) < 0);
      EXPECT_EQ(sign, ascending ? test.Ascending : -test.Ascending);
    }
  }
  SortAscending = false;
}

TEST(RowTextTest, TheReportJoinsCellsWithTwoTabsAndEndsEveryLineWithCrLf) {
  struct TCase {
    std::vector<std::vector<std::string>> Rows;
    std::string Report;
  };
  const std::vector<TCase> cases = {
      {{}, "Name\t\tSize\r\n"},
      {{{"a.dll", "10"}}, "Name\t\tSize\r\na.dll\t\t10\r\n"},
      {{{"", ""}, {"b", ""}}, "Name\t\tSize\r\n\t\t\r\nb\t\t\r\n"},
      // Texts as held, tabs and long cells included.
      {{{"t\tab", std::string(300, 'x')}},
       "Name\t\tSize\r\nt\tab\t\t" + std::string(300, 'x') + "\r\n"},
  };
  for (const TCase& test : cases) {
    TListView list(nullptr, nullptr);
    list.AddColumn("Name", 100);
    list.AddColumn("Size", 50);
    for (const std::vector<std::string>& row : test.Rows) {
      list.AddRow(row, -1);
    }
    EXPECT_EQ(ReportText(list), test.Report);
  }
}

} // namespace
