#pragma once

#include "ListView.h"

#include <string>
#include <vector>

// The fixed indexes of the result list's columns.
enum TResultColumn : int {
  rcName = 0,
  rcFileVersion = 1,
  rcDescription = 2,
  rcCompanyName = 8,
  rcLegalTrademarks = 10,
  rcCreated = 11,
  rcLastAccess = 12,
  rcLastModified = 13,
  rcAttributes = 14,
  rcDirectory = 15,
  rcType = 16,
  rcSize = 17,
};
constexpr int ResultColumnCount = 18;
// The captions of the result list's columns, in index order.
extern const std::vector<std::string> ResultCaptions;

// A user's click on the header of a column, wherever the header shows it, and the window's
// handling of it.
void ClickHeader(const TListView& list, int column);
// The text the list shows in a cell, asked of the control, up to 1,023 bytes of it.
std::string ShownText(const TListView& list, int row, int column);
// The texts of one column as the list shows them, first row first.
std::vector<std::string> ColumnTexts(const TListView& list, int column);
// The texts of one row as the list shows them, caption first.
std::vector<std::string> RowTexts(const TListView& list, int row);
// A row whose every cell names its column and the row's tag ("1:b" is column 1 of row "b"),
// but for the cells given.
std::vector<std::string> TaggedRow(const std::string& tag,
                                   const std::vector<std::pair<int, std::string>>& cells = {});

// The texts in the order of a sort by the system's comparison, ascending or descending.
std::vector<std::string> SystemSorted(std::vector<std::string> texts, bool ascending);
