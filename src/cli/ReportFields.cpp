#include "ReportFields.h"

#include "AuditFields.h"
#include "ResultColumns.h"
#include "RowOrder.h"
#include "Strings.h"

#include <algorithm>
#include <functional>

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

// The number of bytes a size cell states; 0 for none.
long long SizeOf(const std::string& cell) {
  return cell.empty() ? 0 : std::stoll(cell);
}

template <typename T>
int Order(const T& first, const T& second) {
  return first < second ? -1 : second < first ? 1 : 0;
}

int CompareField(const TReportRow& first, const TReportRow& second, std::size_t field) {
  const std::string a = FieldText(first, field);
  const std::string b = FieldText(second, field);
  switch (ReportFields()[field].Kind) {
  case TFieldKind::Size:
    return Order(SizeOf(a), SizeOf(b));
  case TFieldKind::LocalTime: {
    const std::size_t utc = afCreatedUtc + (field - CreatedColumn);
    return Order(FieldText(first, utc), FieldText(second, utc));
  }
  case TFieldKind::StatedVersion:
    if (const int order = Order(StatedVersion(a), StatedVersion(b)); order != 0) {
      return order;
    }
    return CompareCellTexts(a, b);
  case TFieldKind::FixedVersion:
    return Order(StatedVersion(a), StatedVersion(b));
  case TFieldKind::UtcTime:
  case TFieldKind::Flag:
    return Order(a, b);
  case TFieldKind::Text:
    break;
  }
  return CompareCellTexts(a, b);
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

void SortReportRows(std::vector<TReportRow>& rows, std::size_t field, bool descending) {
  std::stable_sort(rows.begin(), rows.end(), [&](const TReportRow& a, const TReportRow& b) {
    const int order = CompareField(a, b, field);
    return descending ? order > 0 : order < 0;
  });
}
