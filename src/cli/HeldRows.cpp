#include "HeldRows.h"

#include "ReportFields.h"
#include "ResultColumns.h"

namespace {

// Where the audit fields stand after the cells.
enum THeldField : std::size_t {
  hfFileVersionNumber = ResultColumnCount,
  hfProductVersionNumber,
  hfVersionMismatch,
  hfMachine,
  hfCreatedUtc,
  hfLastAccessUtc,
  hfLastModifiedUtc,
  hfReadError,
};

} // namespace

THeldRows::THeldRows() {
  FRows.ShareColumn(DirectoryColumn);
  FRows.ShareColumn(TypeColumn);
  FRows.ShareColumn(hfMachine);
}

void THeldRows::Add(const TReportRow& row) {
  std::vector<std::string> texts = row.Cells;
  texts.resize(ResultColumnCount);
  const TAuditFields& audit = row.Audit;
  texts.insert(texts.end(), {audit.FileVersionNumber, audit.ProductVersionNumber,
                             audit.VersionMismatch ? "1" : "", audit.Machine, audit.CreatedUtc,
                             audit.LastAccessUtc, audit.LastModifiedUtc, audit.ReadError});
  FRows.Add(texts);
}

TReportRow THeldRows::Row(std::size_t index) const {
  const auto text = [&](std::size_t column) { return std::string(FRows.Text(index, column)); };
  TReportRow row;
  for (std::size_t column = 0; column < ResultColumnCount; ++column) {
    row.Cells.push_back(text(column));
  }
  TAuditFields& audit = row.Audit;
  audit.FileVersionNumber = text(hfFileVersionNumber);
  audit.ProductVersionNumber = text(hfProductVersionNumber);
  audit.VersionMismatch = !text(hfVersionMismatch).empty();
  audit.Machine = text(hfMachine);
  audit.Path = row.Cells[DirectoryColumn] + row.Cells[NameColumn];
  audit.CreatedUtc = text(hfCreatedUtc);
  audit.LastAccessUtc = text(hfLastAccessUtc);
  audit.LastModifiedUtc = text(hfLastModifiedUtc);
  audit.ReadError = text(hfReadError);
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
