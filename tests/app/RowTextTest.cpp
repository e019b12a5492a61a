#include "QuilletMain.h"
#include "RowOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// A sort compares prepared keys: they must order texts exactly as the system's comparison
// does, ties included, for texts that differ in case, accents, punctuation and digits.
TEST(RowTextTest, SortKeysOrderTextsExactlyAsTheSystemComparesThem) {
  std::vector<std::string> texts = {"a",     "B",     "abc",       "ABC",   "10",     "9",
                                    "",      "1.10",  "1.9",       "co op", "co-op",  "coop",
                                    "it's",  "its",   "\xE9t\xE9", "ete",   "\xC9TE", "a.dll",
                                    "A.DLL", "a_dll", "\xDF",      "ss",    " x",     "~"};
  std::mt19937 random(7);
  const std::string alphabet = "aAbB-' ._0\xE9\xC9zZ1\xA0";
  for (int count = 0; count < 2000; ++count) {
    std::string text(random() % 6, ' ');
    for (char& c : text) {
      c = alphabet[random() % alphabet.size()];
    }
    texts.push_back(text);
  }
  std::vector<std::string> bySystem = texts;
  std::stable_sort(bySystem.begin(), bySystem.end(), [](const auto& first, const auto& second) {
    return CompareCellTexts(first, second) < 0;
  });
  std::vector<std::pair<std::string, std::string>> byKey;
  for (const std::string& text : texts) {
    byKey.emplace_back(CellSortKey(text), text);
  }
  std::stable_sort(byKey.begin(), byKey.end(), [](const auto& first, const auto& second) {
    return first.first < second.first;
  });
  for (std::size_t index = 0; index < texts.size(); ++index) {
    ASSERT_EQ(byKey[index].second, bySystem[index]) << "at " << index;
  }
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
      // A row of more than 64 KB, which the list holds with wider offsets.
      {{{std::string(70000, 'n'), "1"}},
       "Name\t\tSize\r\n" + std::string(70000, 'n') + "\t\t1\r\n"},
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
