#include "ReportFields.h"

#include "AuditFields.h"
#include "ResultColumns.h"
#include "RowOrder.h"
#include "Strings.h"

#include <algorithm>

namespace {

constexpr std::size_t CreatedColumn = 11;
constexpr std::size_t LastModifiedColumn = 13;
constexpr std::size_t FileVersionColumn = 1;
constexpr std::size_t ProductVersionColumn = 5;

// The audit fields after the cells, in order.
enum TAuditField : std::size_t {
  afFileVersionNumber = ResultColumnCount,
  afProductVersionNumber,
  afVersionMismatch,
  afMachine,
  afPath,
  afCreatedUtc,
  afLastAccessUtc,
  afLastModifiedUtc,
  afReadError,
};

std::vector<TReportField> MakeFields() {
  std::vector<TReportField> fields;
  for (std::size_t column = 0; column < ResultColumnCount; ++column) {
    const TFieldKind kind =
        column == SizeColumn                                            ? TFieldKind::Size
        : column >= CreatedColumn && column <= LastModifiedColumn       ? TFieldKind::LocalTime
        : column == FileVersionColumn || column == ProductVersionColumn ? TFieldKind::StatedVersion
                                                                        : TFieldKind::Text;
    // The window's caption keeps its spelling; a key that scripts read does not.
    fields.push_back(
        {column == LastModifiedColumn ? "LastModified" : ResultColumnCaptions[column], kind});
  }
  fields.push_back({"FileVersionNumber", TFieldKind::FixedVersion});
  fields.push_back({"ProductVersionNumber", TFieldKind::FixedVersion});
  fields.push_back({"VersionMismatch", TFieldKind::Flag});
  fields.push_back({"Machine", TFieldKind::Text});
  fields.push_back({"Path", TFieldKind::Text});
  fields.push_back({"CreatedUtc", TFieldKind::UtcTime});
  fields.push_back({"LastAccessUtc", TFieldKind::UtcTime});
  fields.push_back({"LastModifiedUtc", TFieldKind::UtcTime});
  fields.push_back({"ReadError", TFieldKind::Text});
  return fields;
}

// Numbers in an order that compares byte by byte as the numbers do, a shorter run of equal
// numbers first: each number as a marker and four bytes, highest first, then an end.
std::string NumbersKey(const std::vector<std::uint32_t>& numbers) {
  std::string key;
  for (const std::uint32_t number : numbers) {
    key += '\x01';
    for (int shift = 24; shift >= 0; shift -= 8) {
      key += static_cast<char>(number >> shift & 0xFF);
    }
  }
  key += '\0';
  return key;
}

} // namespace

const std::vector<TReportField>& ReportFields() {
  static const std::vector<TReportField> fields = MakeFields();
  return fields;
}

std::string FieldText(const TReportRow& row, std::size_t field) {
  if (field < ResultColumnCount) {
    return row.Cells[field];
  }
  const TAuditFields& audit = row.Audit;
  switch (static_cast<TAuditField>(field)) {
  case afFileVersionNumber:
    return audit.FileVersionNumber;
  case afProductVersionNumber:
    return audit.ProductVersionNumber;
  case afVersionMismatch:
    return audit.VersionMismatch ? "true" : "false";
  case afMachine:
    return audit.Machine;
  case afPath:
    return audit.Path;
  case afCreatedUtc:
    return audit.CreatedUtc;
  case afLastAccessUtc:
    return audit.LastAccessUtc;
  case afLastModifiedUtc:
    return audit.LastModifiedUtc;
  case afReadError:
    return audit.ReadError;
  }
  return {};
}

int FindReportField(const std::string& key) {
  const std::string wanted = AsciiUpperCase(key);
  if (wanted == AsciiUpperCase(std::string(ResultColumnCaptions[LastModifiedColumn]))) {
    return static_cast<int>(LastModifiedColumn);
  }
  const std::vector<TReportField>& fields = ReportFields();
  for (std::size_t field = 0; field < fields.size(); ++field) {
    if (AsciiUpperCase(std::string(fields[field].Key)) == wanted) {
      return static_cast<int>(field);
    }
  }
  return -1;
}

std::string FieldSortKey(const TReportRow& row, std::size_t field) {
  const std::string text = FieldText(row, field);
  switch (ReportFields()[field].Kind) {
  case TFieldKind::Size: {
    std::string digits = text.empty() ? "0" : text;
    return std::string(20 - std::min<std::size_t>(digits.size(), 20), '0') + digits;
  }
  case TFieldKind::LocalTime:
    return FieldText(row, afCreatedUtc + (field - CreatedColumn));
  case TFieldKind::StatedVersion:
    return NumbersKey(StatedVersion(text)) + CellSortKey(text);
  case TFieldKind::FixedVersion:
    return NumbersKey(StatedVersion(text));
  case TFieldKind::UtcTime:
  case TFieldKind::Flag:
    return text;
  case TFieldKind::Text:
    break;
  }
  return CellSortKey(text);
}
