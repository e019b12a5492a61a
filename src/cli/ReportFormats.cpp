#include "ReportFormats.h"

#include "AnsiText.h"
#include "ReportFields.h"
#include "ReportLines.h"
#include "ResultColumns.h"

#include <nlohmann/json.hpp>

namespace {

std::string ReportFormat(const std::vector<TReportRow>& rows) {
  std::string report = ReportHeader();
  for (const TReportRow& row : rows) {
    AppendReportLine(report, row.Cells);
  }
  return report;
}

void AppendCsvField(std::string& csv, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    csv += field;
    return;
  }
  csv += '"';
  for (char c : field) {
    if (c == '"') {
      csv += '"';
    }
    csv += c;
  }
  csv += '"';
}

void AppendCsvLine(std::string& csv, const std::vector<std::string>& fields) {
  for (std::size_t index = 0; index < fields.size(); ++index) {
    if (index > 0) {
      csv += ',';
    }
    AppendCsvField(csv, fields[index]);
  }
  csv += "\r\n";
}

// A cell in UTF-8; the audit fields are so already.
std::string Utf8Field(const TReportRow& row, std::size_t field) {
  return field < ResultColumnCount ? AnsiToUtf8(row.Cells[field]) : FieldText(row, field);
}

std::string CsvFormat(const std::vector<TReportRow>& rows) {
  const std::vector<TReportField>& fields = ReportFields();
  std::vector<std::string> line;
  for (const TReportField& field : fields) {
    line.emplace_back(field.Key);
  }
  std::string csv;
  AppendCsvLine(csv, line);
  for (const TReportRow& row : rows) {
    for (std::size_t field = 0; field < fields.size(); ++field) {
      line[field] = Utf8Field(row, field);
    }
    AppendCsvLine(csv, line);
  }
  return csv;
}

std::string JsonFormat(const std::vector<TReportRow>& rows) {
  const std::vector<TReportField>& fields = ReportFields();
  std::string lines;
  for (const TReportRow& row : rows) {
    // The keys keep the fields' order.
    nlohmann::ordered_json object;
    for (std::size_t field = 0; field < fields.size(); ++field) {
      const std::string key(fields[field].Key);
      const std::string text = Utf8Field(row, field);
      switch (fields[field].Kind) {
      case TFieldKind::Size:
        object[key] = std::stoll(text);
        break;
      case TFieldKind::Flag:
        object[key] = text == "true";
        break;
      default:
        object[key] = text;
      }
    }
    lines += object.dump();
    lines += '\n';
  }
  return lines;
}

} // namespace

std::string FormatRows(const std::vector<TReportRow>& rows, TReportFormat format) {
  switch (format) {
  case TReportFormat::Csv:
    return CsvFormat(rows);
  case TReportFormat::Json:
    return JsonFormat(rows);
  case TReportFormat::Report:
    break;
  }
  return ReportFormat(rows);
}
