#pragma once

#include "CompactRows.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The key a text sorts by: keys compared byte by byte order their texts as the list sorts.
using TSortKeyOf = std::string (*)(const std::string& text);

// The rows a list view shows, kept by the program: the list itself holds none of them and
// asks for each cell as it draws it.
class TListRows {
public:
  std::size_t Count() const { return FTexts.Count(); }
  // The column's texts are held once however many rows show them (a folder, a type).
  void ShareColumn(std::size_t column) { FTexts.ShareColumn(column); }
  void Add(const std::vector<std::string>& cells, int image);
  void Erase(std::size_t row);
  void Clear();

  // The empty text for a cell that is not there, and -1 for the image of a row that is not.
  std::string_view Text(std::size_t row, std::size_t column) const {
    return FTexts.Text(row, column);
  }
  void SetText(std::size_t row, std::size_t column, std::string_view text) {
    FTexts.SetText(row, column, text);
  }
  int Image(std::size_t row) const { return row < FImages.size() ? FImages[row] : -1; }

  // Reorders the rows by the keys of one column's texts, rows with equal texts keeping their
  // order; answers where each row came from: the row now at i was at order[i].
  std::vector<std::size_t> Sort(std::size_t column, TSortKeyOf keyOf, bool ascending);

  // The first row from start on, wrapping past the end when asked, whose caption is the
  // text or, when partial, begins with it; letter case is ignored. -1 when there is none.
  int FindCaption(const std::string& text, std::size_t start, bool partial, bool wrap) const;

private:
  TCompactRows FTexts;
  std::vector<int> FImages;
};
