#include "ListViewDriver.h"
#include "MainWindowSession.h"
#include "MainWindowTest.h"

#include "support/Pump.h"
#include "support/TempTree.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

class SortTest : public TMainWindowTest {};

// Five rows whose name, version, type and size columns each stand in another order.
void AddFiveRows(TListView& list) {
  const char* const rows[][4] = {
      {"delta.dll", "", "Text Document", "9"},
      {"Alpha.exe", "1.0", "Application", "100"},
      {"charlie.ocx", "2.5.1", "System file", "20"},
      {"bravo.dll", "10.0", "ActiveX control", "3000"},
      {"echo.cpl", "1.10", "Application extension", "45"},
  };
  for (const auto& row : rows) {
    list.AddRow(
        TaggedRow(row[0],
                  {{rcName, row[0]}, {rcFileVersion, row[1]}, {rcType, row[2]}, {rcSize, row[3]}}),
        0);
  }
}

TEST_F(SortTest, HeaderClicksFollowTheDirectionTable) {
  struct TClick {
    int Column;
    bool Ascending;
  };
  // Each sequence starts from a new window.
  const std::vector<std::vector<TClick>> sequences = {
      // The first click on "Name" flips the initial descending flag of column 0.
      {{rcName, true}, {rcName, false}, {rcType, false}, {rcType, true}, {rcSize, true}},
      {{rcName, true}, {rcType, true}, {rcType, false}},
      // The first click on another column keeps the flag: descending.
      {{rcSize, false}, {rcSize, true}, {rcSize, false}},
      {{rcFileVersion, false}, {rcName, false}, {rcName, true}, {rcFileVersion, true}},
  };
  for (const std::vector<TClick>& clicks : sequences) {
    TMainWindowSession session(Log());
    TListView& list = *session.Form().ListView;
    AddFiveRows(list);
    std::vector<std::vector<std::string>> before;
    for (int column = 0; column < ResultColumnCount; ++column) {
      before.push_back(ColumnTexts(list, column));
    }
    for (std::size_t step = 0; step < clicks.size(); ++step) {
      const TClick& click = clicks[step];
      SCOPED_TRACE("click " + std::to_string(step + 1) + " of a sequence beginning on column " +
                   std::to_string(clicks[0].Column) + ", this one on column " +
                   std::to_string(click.Column));
      ClickHeader(list, click.Column);
      EXPECT_EQ(ColumnTexts(list, click.Column),
                SystemSorted(before[static_cast<std::size_t>(click.Column)], click.Ascending));
      EXPECT_EQ(SortAscending, click.Ascending);
    }
  }
}

TEST_F(SortTest, SizesTimesAndEmptyCellsSortAsText) {
  TMainWindowSession session(Log());
  TListView& list = *session.Form().ListView;
  const char* const rows[][3] = {
      // size, created, file version
      {"9", "12/31/1999 11:59:59 PM", "5.1"},
      {"100", "1/2/2000", ""},
      {"20", "10/5/1998 8:00:00 AM", "10.0"},
      {"1000", "2/29/2000 12:00:01 AM", ""},
      {"0", "1/15/2024", "2.0"},
  };
  for (const auto& row : rows) {
    list.AddRow(TaggedRow(row[0], {{rcSize, row[0]}, {rcCreated, row[1]}, {rcFileVersion, row[2]}}),
                0);
  }

  ClickHeader(list, rcSize); // descending
  EXPECT_EQ(ColumnTexts(list, rcSize), (std::vector<std::string>{"9", "20", "1000", "100", "0"}));
  ClickHeader(list, rcSize); // ascending
  EXPECT_EQ(ColumnTexts(list, rcSize), (std::vector<std::string>{"0", "100", "1000", "20", "9"}));

  // Times compare as their texts: months as digits, not the dates they mean.
  ClickHeader(list, rcCreated); // still ascending
  EXPECT_EQ(ColumnTexts(list, rcCreated),
            (std::vector<std::string>{"1/15/2024", "1/2/2000", "10/5/1998 8:00:00 AM",
                                      "12/31/1999 11:59:59 PM", "2/29/2000 12:00:01 AM"}));

  // Files without version strings come first ascending and last descending.
  ClickHeader(list, rcFileVersion); // ascending
  const std::vector<std::string> versions = ColumnTexts(list, rcFileVersion);
  EXPECT_EQ(versions, (std::vector<std::string>{"", "", "10.0", "2.0", "5.1"}));
  ClickHeader(list, rcFileVersion); // descending
  EXPECT_EQ(ColumnTexts(list, rcFileVersion),
            (std::vector<std::string>{"5.1", "2.0", "10.0", "", ""}));
}

TEST_F(SortTest, OrderIsTheSystemsTextComparisonInEveryColumn) {
  const std::vector<std::string> texts = {
      "apple", "Apple", "APPLE",  "banana", "Banana", "_under",    "-dash", "co-op", "coop",
      "co op", "it's",  "its",    "Zulu",   "zulu",   "\xE9t\xE9", "ete",   "10",    "9",
      "a.b",   "a~b",   "~tilde", "[x]",    "!bang",  "a",         "A",     "aa",    "a b",
  };
  // Every pair compares unequal, so that only one order is right.
  for (std::size_t i = 0; i < texts.size(); ++i) {
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      ASSERT_NE(lstrcmpA(texts[i].c_str(), texts[j].c_str()), 0) << texts[i] << " " << texts[j];
    }
  }
  std::vector<std::string> bytewise = texts;
  std::sort(bytewise.begin(), bytewise.end());
  ASSERT_NE(SystemSorted(texts, true), bytewise) << "the texts tell the two orders apart";

  TMainWindowSession session(Log());
  TListView& list = *session.Form().ListView;
  const int description = 2;
  for (std::size_t row = 0; row < texts.size(); ++row) {
    // The description column holds the texts in another order than the names.
    list.AddRow(TaggedRow(std::to_string(row),
                          {{rcName, texts[row]}, {description, texts[texts.size() - 1 - row]}}),
                0);
  }
  ClickHeader(list, rcName);
  EXPECT_EQ(ColumnTexts(list, rcName), SystemSorted(texts, true));
  ClickHeader(list, rcName);
  EXPECT_EQ(ColumnTexts(list, rcName), SystemSorted(texts, false));
  ClickHeader(list, description);
  EXPECT_EQ(ColumnTexts(list, description), SystemSorted(texts, false));
  ClickHeader(list, description);
  EXPECT_EQ(ColumnTexts(list, description), SystemSorted(texts, true));
}

bool Selected(const TListView& list, int row) {
  return SendMessageA(list.Handle(), LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
}

void Select(const TListView& list, int row) {
  LVITEMA item = {};
  item.state = LVIS_SELECTED;
  item.stateMask = LVIS_SELECTED;
  SendMessageA(list.Handle(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool Focused(const TListView& list, int row) {
  return SendMessageA(list.Handle(), LVM_GETITEMSTATE, row, LVIS_FOCUSED) != 0;
}

TEST_F(SortTest, RowsMoveWholeWithTheirCellsImageSelectionFocusAndAnchor) {
  TMainWindowSession session(Log());
  TListView& list = *session.Form().ListView;
  struct TRow {
    std::vector<std::string> Cells;
    int Image;
    bool Selected;
  };
  std::map<std::string, TRow> rows; // by caption
  const char* const tags[] = {"d", "f", "a", "e", "b", "c"};
  const char* const sizes[] = {"31", "4", "159", "26", "5", "3"};
  for (int row = 0; row < 6; ++row) {
    TRow expected{TaggedRow(tags[row], {{rcSize, sizes[row]}}), 10 + row, row % 3 == 1};
    list.AddRow(expected.Cells, expected.Image);
    if (expected.Selected) {
      Select(list, row);
    }
    rows[expected.Cells[rcName]] = expected;
  }
  LVITEMA focus = {};
  focus.state = focus.stateMask = LVIS_FOCUSED;
  SendMessageA(list.Handle(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus));
  SendMessageA(list.Handle(), LVM_SETSELECTIONMARK, 0, 2);

  for (const int column : {rcSize, rcName, rcDirectory, rcSize}) {
    SCOPED_TRACE("sorted by column " + std::to_string(column));
    ClickHeader(list, column);
    ASSERT_EQ(list.ItemCount(), 6);
    for (int row = 0; row < list.ItemCount(); ++row) {
      const TRow& expected = rows.at(list.ItemText(row, rcName));
      EXPECT_EQ(RowTexts(list, row), expected.Cells);
      EXPECT_EQ(list.ItemImage(row), expected.Image);
      EXPECT_EQ(Selected(list, row), expected.Selected) << "row " << row;
      EXPECT_EQ(Focused(list, row), expected.Cells[rcName] == "0:a") << "row " << row;
      if (expected.Cells[rcName] == "0:a") {
        EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETSELECTIONMARK, 0, 0), row);
      }
    }
  }
}

TEST_F(SortTest, DraggedHeaderStillSortsByItsOwnColumn) {
  TMainWindowSession session(Log());
  TListView& list = *session.Form().ListView;
  AddFiveRows(list);
  const std::vector<std::string> sizes = ColumnTexts(list, rcSize);
  const std::vector<std::string> types = ColumnTexts(list, rcType);
  // Size shown first, Name last, Type second: what dragging the headers leaves.
  std::vector<int> order;
  for (int column = 0; column < ResultColumnCount; ++column) {
    order.push_back(column);
  }
  std::rotate(order.begin(), order.end() - 1, order.end());
  std::swap(order[1], order[rcType]);
  ASSERT_TRUE(SendMessageA(list.Handle(), LVM_SETCOLUMNORDERARRAY, order.size(),
                           reinterpret_cast<LPARAM>(order.data())));

  ClickHeader(list, rcSize);
  EXPECT_EQ(ColumnTexts(list, rcSize), SystemSorted(sizes, false));
  ClickHeader(list, rcType);
  EXPECT_EQ(ColumnTexts(list, rcType), SystemSorted(types, false));
  ClickHeader(list, rcType);
  EXPECT_EQ(ColumnTexts(list, rcType), SystemSorted(types, true));
}

TEST_F(SortTest, ClickOnAnEmptyListOnlyTurnsTheDirection) {
  TMainWindowSession session(Log());
  TListView& list = *session.Form().ListView;
  ClickHeader(list, rcName); // ascending, with nothing to sort
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_TRUE(SortAscending);

  AddFiveRows(list);
  const std::vector<std::string> names = ColumnTexts(list, rcName);
  ClickHeader(list, rcName);
  EXPECT_EQ(ColumnTexts(list, rcName), SystemSorted(names, false));
}

TEST_F(SortTest, SortStateCarriesOverToTheNextSearch) {
  TTempTree tree;
  for (const char* name : {"b.txt", "c.txt", "a.txt", "d.txt"}) {
    tree.File(name, "text");
  }
  TMainWindowSession session(Log());
  TfrmQuilletMain& form = session.Form();
  TStatusWatch watch(form.StatusBar1->Handle());
  SetText(form.edStartDir, tree.Root());
  SetText(form.edFileMasks, "*.txt");
  const auto search = [&](int number) {
    Click(form.BtnFind->Handle());
    return PumpUntil([&] { return watch.Count("Finished.") == number; });
  };

  ASSERT_TRUE(search(1));
  ClickHeader(*form.ListView, rcName);
  EXPECT_EQ(ColumnTexts(*form.ListView, rcName),
            (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "d.txt"}));

  // The next search lists its rows as found; the direction and column stay.
  ASSERT_TRUE(search(2));
  ASSERT_EQ(form.ListView->ItemCount(), 4);
  ClickHeader(*form.ListView, rcName);
  EXPECT_EQ(ColumnTexts(*form.ListView, rcName),
            (std::vector<std::string>{"d.txt", "c.txt", "b.txt", "a.txt"}));

  ASSERT_TRUE(search(3));
  ClickHeader(*form.ListView, rcDirectory);
  ClickHeader(*form.ListView, rcName); // a new column keeps descending
  EXPECT_EQ(ColumnTexts(*form.ListView, rcName),
            (std::vector<std::string>{"d.txt", "c.txt", "b.txt", "a.txt"}));
}

} // namespace
