#include "ReportFormats.h"

#include "AnsiText.h"
#include "ReportFields.h"
#include "ReportLines.h"
#include "ResultColumns.h"

#include <nlohmann/json.hpp>

#include <functional>

namespace {

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

// A cell in UTF-8; the audit fields are so already.
std::string Utf8Field(const TReportRow& row, std::size_t field) {
  return field < ResultColumnCount ? AnsiToUtf8(row.Cells[field]) : FieldText(row, field);
}

void AppendCsvLine(std::string& csv, const std::vector<std::size_t>& fields,
                   const std::function<std::string(std::size_t)>& text) {
  for (std::size_t index = 0; index < fields.size(); ++index) {
    if (index > 0) {
      csv += ',';
    }
    AppendCsvField(csv, text(fields[index]));
  }
  csv += "\r\n";
}

void AppendJsonLine(std::string& lines, const TReportRow& row,
                    const std::vector<std::size_t>& written) {
  const std::vector<TReportField>& fields = ReportFields();
  // The keys keep the fields' order.
  nlohmann::ordered_json object;
  for (const std::size_t field : written) {
    const std::string key(fields[field].Key);
    const std::string text = Utf8Field(row, field);
    switch (fields[field].Kind) {
    case TFieldKind::Size:
      object[key] = text.empty() ? 0 : std::stoll(text);
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

} // namespace

std::string FormatHeader(const TRowFormat& format) {
  switch (format.Format) {
  case TReportFormat::Csv: {
    std::string csv;
    AppendCsvLine(csv, format.Fields,
                  [](std::size_t field) { return std::string(ReportFields()[field].Key); });
    return csv;
  }
  case TReportFormat::Json:
    return {};
  case TReportFormat::Report:
    break;
  }
  return ReportHeader();
}

void AppendFormattedRow(std::string& text, const TReportRow& row, const TRowFormat& format) {
  switch (format.Format) {
  case TReportFormat::Csv:
    AppendCsvLine(text, format.Fields, [&](std::size_t field) { return Utf8Field(row, field); });
    return;
  case TReportFormat::Json:
    AppendJsonLine(text, row, format.Fields);
    return;
  case TReportFormat::Report:
    break;
  }
  AppendReportLine(text, row.Cells);
}
