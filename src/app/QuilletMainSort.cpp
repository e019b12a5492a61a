#include "QuilletMain.h"

#include "RowOrder.h"

// Sorting: a header click sorts every row by that column's text. One direction flag serves
// the whole list: the column clicked last flips it, another column keeps it.

// The compare routine is a plain function the list calls; it reads the direction here.
bool SortAscending = false;

int CompareRows(const std::string& Row1, const std::string& Row2, int) {
  const int result = CompareCellTexts(Row1, Row2);
  return SortAscending ? result : -result;
}

void TfrmQuilletMain::ListViewColumnClick(TObject*, int Column) {
  const auto index = static_cast<std::uint8_t>(Column);
  if (index == FSortColumn) {
    FSortAscending = !FSortAscending;
  } else {
    FSortColumn = index;
  }
  SortAscending = FSortAscending;
  ListView->SortRows(index, &CompareRows);
}
