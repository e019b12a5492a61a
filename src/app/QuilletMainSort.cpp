#include "QuilletMain.h"

// Sorting: a header click sorts every row by that column's text. One direction flag serves
// the whole list: the column clicked last flips it, another column keeps it.

// The compare routine is a plain function the list calls; it reads the direction here.
bool SortAscending = false;

int CompareRows(const std::string& Row1, const std::string& Row2, int) {
  const int result = lstrcmpA(Row1.c_str(), Row2.c_str());
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
