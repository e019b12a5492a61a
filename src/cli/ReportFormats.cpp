#include "ReportFormats.h"

#include "AnsiText.h"
#include "ReportLines.h"
#include "ResultColumns.h"

#include <nlohmann/json.hpp>

#include <array>

namespace {

constexpr std::array<std::string_view, 4> AuditCaptions = {
    "FileVersionNumber", "ProductVersionNumber", "VersionMismatch", "Machine"};

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

std::string CsvFormat(const std::vector<TReportRow>& rows) {
  std::vector<std::string> header(ResultColumnCaptions.begin(), ResultColumnCaptions.end());
  header.insert(header.end(), AuditCaptions.begin(), AuditCaptions.end());
  std::string csv;
  AppendCsvLine(csv, header);
  for (const TReportRow& row : rows) {
    std::vector<std::string> fields;
    for (const std::string& cell : row.Cells) {
      fields.push_back(AnsiToUtf8(cell));
    }
    fields.push_back(row.Audit.FileVersionNumber);
    fields.push_back(row.Audit.ProductVersionNumber);
    fields.push_back(row.Audit.VersionMismatch ? "true" : "false");
    fields.push_back(row.Audit.Machine);
    AppendCsvLine(csv, fields);
  }
  return csv;
}

std::string JsonFormat(const std::vector<TReportRow>& rows) {
  std::string lines;
  for (const TReportRow& row : rows) {
    // The keys keep the columns' order.
    nlohmann::ordered_json object;
    for (int column = 0; column < ResultColumnCount; ++column) {
      const std::string key(ResultColumnCaptions[column]);
      const std::string& cell = row.Cells[static_cast<std::size_t>(column)];
      if (column == SizeColumn) {
        object[key] = std::stoll(cell);
      } else {
        object[key] = AnsiToUtf8(cell);
      }
    }
    object[std::string(AuditCaptions[0])] = row.Audit.FileVersionNumber;
    object[std::string(AuditCaptions[1])] = row.Audit.ProductVersionNumber;
    object[std::string(AuditCaptions[2])] = row.Audit.VersionMismatch;
    object[std::string(AuditCaptions[3])] = row.Audit.Machine;
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
