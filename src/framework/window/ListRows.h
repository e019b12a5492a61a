#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Compares two rows by their texts in the sort column: negative when the first comes first.
using TCompareCells = int (*)(const std::string& cell1, const std::string& cell2, int column);

// The rows a list view shows, kept by the program: the list itself holds none of them and
// asks for each cell as it draws it.
class TListRows {
public:
  std::size_t Count() const { return FRows.size(); }
  void Add(std::vector<std::string> cells, int image);
  void Erase(std::size_t row);
  void Clear() { FRows.clear(); }

  // The empty text for a cell that is not there, and -1 for the image of a row that is not.
  const std::string& Text(std::size_t row, std::size_t column) const;
  void SetText(std::size_t row, std::size_t column, std::string text);
  int Image(std::size_t row) const { return row < FRows.size() ? FRows[row].Image : -1; }

  // Reorders the rows by the texts of one column, rows with equal texts keeping their order;
  // answers where each row came from: the row now at i was at order[i].
  std::vector<std::size_t> Sort(std::size_t column, TCompareCells compare);

  // The first row from start on, wrapping past the end when asked, whose caption is the
  // text or, when partial, begins with it; letter case is ignored. -1 when there is none.
  int FindCaption(const std::string& text, std::size_t start, bool partial, bool wrap) const;

private:
  struct TRow {
    std::vector<std::string> Cells;
    int Image;
  };
  std::vector<TRow> FRows;
};
