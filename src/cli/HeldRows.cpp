#include "HeldRows.h"

#include "HeldTexts.h"

#include "ReportFields.h"
#include "ResultColumns.h"

#include <algorithm>

THeldRows::THeldRows(const std::vector<std::size_t>& writtenFields) {
  const std::size_t path = static_cast<std::size_t>(FindReportField("Path"));
  for (const std::size_t field : writtenFields) {
    if (field >= ResultColumnCount && field != path) {
      FHeldFields.push_back(field);
    }
  }
  FRows.ShareColumn(DirectoryColumn);
  FRows.ShareColumn(TypeColumn);
  // Texts that many rows have alike.
  for (const char* key : {"Machine", "Subsystem", "Languages", "Signer", "Issuer"}) {
    const auto held = std::find(FHeldFields.begin(), FHeldFields.end(),
                                static_cast<std::size_t>(FindReportField(key)));
    if (held != FHeldFields.end()) {
      FRows.ShareColumn(ResultColumnCount + static_cast<std::size_t>(held - FHeldFields.begin()));
    }
  }
}

void THeldRows::Add(const TReportRow& row) {
  std::vector<std::string> texts = row.Cells;
  texts.resize(ResultColumnCount);
  for (const std::size_t field : FHeldFields) {
    texts.push_back(HeldFieldText(field, FieldText(row, field)));
  }
  FRows.Add(texts);
}

TReportRow THeldRows::Row(std::size_t index) const {
  const auto text = [&](std::size_t column) { return std::string(FRows.Text(index, column)); };
  TReportRow row;
  for (std::size_t column = 0; column < ResultColumnCount; ++column) {
    row.Cells.push_back(text(column));
  }
  row.Audit.Path = row.Cells[DirectoryColumn] + row.Cells[NameColumn];
  for (std::size_t held = 0; held < FHeldFields.size(); ++held) {
    const std::size_t field = FHeldFields[held];
    SetFieldText(row, field, FieldTextOfHeld(field, FRows.Text(index, ResultColumnCount + held)));
  }
  return row;
}

void THeldRows::Sort(std::size_t field, bool descending) {
  TSortKeys keys;
  keys.Reserve(Count());
  for (std::size_t index = 0; index < Count(); ++index) {
    keys.Add(FieldSortKey(Row(index), field));
  }
  FRows.SortByKeys(keys, descending);
}
