#pragma once

#include "WinControl.h"

#include <string>

// A list view in report mode: rows of text cells under column headers. Column indexes are
// the order columns were added in, whatever order the user drags the headers into.
class TListView : public TWinControl {
public:
  TListView(TComponent* owner, HWND parent);

  void AddColumn(const std::string& caption, int width, int minWidth = 0);
  int ColumnCount() const;
  std::string ColumnCaption(int index) const;
  int ColumnWidth(int index) const;

  int ItemCount() const;
  // Appends a row with the caption; answers its index.
  int AddItem(const std::string& caption);
  // The text of a cell: column 0 is the row's caption, column k its sub-item k - 1.
  std::string ItemText(int row, int column) const;
  void SetItemText(int row, int column, const std::string& text);
  void Clear();

  void SetSmallImages(HIMAGELIST images);
};
