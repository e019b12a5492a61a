#pragma once

#include "ReportRow.h"

#include "CompactRows.h"

#include <cstddef>
#include <vector>

// Rows held for a sort until the search ends, in the compact form a million rows need:
// each row one block of texts, a folder's, a type's and a machine's text held once. The
// path is not held: it is the folder followed by the name.
class THeldRows {
public:
  // Holds the fields a run writes.
  explicit THeldRows(const std::vector<std::size_t>& writtenFields);
  std::size_t Count() const { return FRows.Count(); }
  void Add(const TReportRow& row);
  TReportRow Row(std::size_t index) const;
  // By a field's value, stably; see FieldSortKey.
  void Sort(std::size_t field, bool descending);

private:
  // The audit fields held after the cells: those written, but the path, which is the folder
  // followed by the name.
  std::vector<std::size_t> FHeldFields;
  TCompactRows FRows;
};
