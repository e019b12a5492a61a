#include "ListRows.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

void TListRows::Add(std::vector<std::string> cells, int image) {
  FRows.push_back({std::move(cells), image});
}

void TListRows::Erase(std::size_t row) {
  FRows.erase(FRows.begin() + static_cast<std::ptrdiff_t>(row));
}

const std::string& TListRows::Text(std::size_t row, std::size_t column) const {
  static const std::string none;
  if (row >= FRows.size()) {
    return none;
  }
  const std::vector<std::string>& cells = FRows[row].Cells;
  return column < cells.size() ? cells[column] : none;
}

void TListRows::SetText(std::size_t row, std::size_t column, std::string text) {
  std::vector<std::string>& cells = FRows[row].Cells;
  if (column >= cells.size()) {
    cells.resize(column + 1);
  }
  cells[column] = std::move(text);
}

std::vector<std::size_t> TListRows::Sort(std::size_t column, TCompareCells compare) {
  std::vector<std::size_t> order(FRows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t row1, std::size_t row2) {
    return compare(Text(row1, column), Text(row2, column), static_cast<int>(column)) < 0;
  });
  std::vector<TRow> sorted;
  sorted.reserve(FRows.size());
  for (const std::size_t row : order) {
    sorted.push_back(std::move(FRows[row]));
  }
  FRows = std::move(sorted);
  return order;
}

int TListRows::FindCaption(const std::string& text, std::size_t start, bool partial,
                           bool wrap) const {
  const std::size_t count = FRows.size();
  const std::size_t tries = wrap ? count : (start < count ? count - start : 0);
  for (std::size_t tried = 0; tried < tries; ++tried) {
    const std::size_t row = (start + tried) % count;
    const std::string& caption = Text(row, 0);
    const std::size_t compared = partial ? std::min(caption.size(), text.size()) : caption.size();
    // The system's comparison, so that letters outside ASCII match in either case too.
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.data(),
                       static_cast<int>(compared), text.data(),
                       static_cast<int>(text.size())) == CSTR_EQUAL) {
      return static_cast<int>(row);
    }
  }
  return -1;
}
