#include "QuilletMain.h"

#include "RowOrder.h"

// Sorting: a header click sorts every row by that column's text. One direction flag serves
// the whole list: the column clicked last flips it, another column keeps it.

// The direction of the last sort, as the window's flag gave it.
bool SortAscending = false;

void TfrmQuilletMain::ListViewColumnClick(TObject*, int Column) {
  const auto index = static_cast<std::uint8_t>(Column);
  if (index == FSortColumn) {
    FSortAscending = !FSortAscending;
  } else {
    FSortColumn = index;
  }
  SortAscending = FSortAscending;
  // Each text's key once, rather than the system's comparison for every pair of rows: the
  // same order, in a fraction of the time for many rows.
  ListView->SortRows(index, &CellSortKey, SortAscending);
}
