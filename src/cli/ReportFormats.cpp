#include "ReportFormats.h"

#include "ReportFields.h"
#include "ReportLines.h"
#include "ResultColumns.h"

#include <nlohmann/json.hpp>

#include <algorithm>

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

void AppendCsvLine(std::string& csv, const std::vector<std::string>& fields) {
  for (std::size_t index = 0; index < fields.size(); ++index) {
    if (index > 0) {
      csv += ',';
    }
    AppendCsvField(csv, fields[index]);
  }
  csv += "\r\n";
}

// A field's text as JSON types it: sizes as numbers, flags as true or false.
nlohmann::ordered_json JsonValue(std::size_t field, const std::string& text) {
  switch (ReportFields()[field].Kind) {
  case TFieldKind::Size:
    return text.empty() ? 0 : std::stoll(text);
  case TFieldKind::Flag:
    return text == "true";
  default:
    return text;
  }
}

// The row's fields as JSON, keys in the fields' order.
nlohmann::ordered_json JsonObject(const TReportRow& row, const std::vector<std::size_t>& written) {
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  for (const std::size_t field : written) {
    object[std::string(ReportFields()[field].Key)] = JsonValue(field, FieldUtf8Text(row, field));
  }
  return object;
}

std::string ChangedFieldsText(const TDriftRow& row) {
  std::string text;
  for (const std::size_t field : row.ChangedFields) {
    if (!text.empty()) {
      text += ';';
    }
    text += ReportFields()[field].Key;
  }
  return text;
}

bool IsCompared(const TRowFormat& format, std::size_t field) {
  return std::find(format.Compared.begin(), format.Compared.end(), field) != format.Compared.end();
}

} // namespace

std::string FormatHeader(const TRowFormat& format) {
  std::vector<std::string> names;
  if (format.Format == TReportFormat::Json) {
    return {};
  }
  if (format.Format == TReportFormat::Report) {
    names.assign(ResultColumnCaptions.begin(), ResultColumnCaptions.end());
    if (format.Drift) {
      names.insert(names.end(), {"Change", "ChangedFields"});
    }
    std::string header;
    AppendReportLine(header, names);
    return header;
  }
  if (format.Drift) {
    names = {"Change", "ChangedFields"};
  }
  for (const std::size_t field : format.Fields) {
    const std::string key(ReportFields()[field].Key);
    names.push_back(key);
    if (format.Drift && IsCompared(format, field)) {
      names.push_back("Baseline." + key);
    }
  }
  std::string csv;
  AppendCsvLine(csv, names);
  return csv;
}

void AppendFormattedRow(std::string& text, const TReportRow& row, const TRowFormat& format) {
  switch (format.Format) {
  case TReportFormat::Csv: {
    std::vector<std::string> fields;
    for (const std::size_t field : format.Fields) {
      fields.push_back(FieldUtf8Text(row, field));
    }
    AppendCsvLine(text, fields);
    return;
  }
  case TReportFormat::Json:
    text += JsonObject(row, format.Fields).dump();
    text += '\n';
    return;
  case TReportFormat::Report:
    break;
  }
  AppendReportLine(text, row.Cells);
}

void AppendDriftRow(std::string& text, const TDriftRow& row, const TRowFormat& format) {
  const auto baselineText = [&](std::size_t field) -> const std::string* {
    const auto changed = std::find(row.ChangedFields.begin(), row.ChangedFields.end(), field);
    return changed == row.ChangedFields.end()
               ? nullptr
               : &row.BaselineTexts[static_cast<std::size_t>(changed - row.ChangedFields.begin())];
  };
  switch (format.Format) {
  case TReportFormat::Csv: {
    std::vector<std::string> fields = {row.Change, ChangedFieldsText(row)};
    for (const std::size_t field : format.Fields) {
      fields.push_back(FieldUtf8Text(row.Row, field));
      if (IsCompared(format, field)) {
        const std::string* before = baselineText(field);
        fields.push_back(before != nullptr ? *before : std::string());
      }
    }
    AppendCsvLine(text, fields);
    return;
  }
  case TReportFormat::Json: {
    nlohmann::ordered_json object;
    object["Change"] = row.Change;
    object["ChangedFields"] = ChangedFieldsText(row);
    object.update(JsonObject(row.Row, format.Fields));
    nlohmann::ordered_json baseline = nlohmann::ordered_json::object();
    for (std::size_t index = 0; index < row.ChangedFields.size(); ++index) {
      const std::size_t field = row.ChangedFields[index];
      baseline[std::string(ReportFields()[field].Key)] = JsonValue(field, row.BaselineTexts[index]);
    }
    object["baseline"] = baseline;
    text += object.dump();
    text += '\n';
    return;
  }
  case TReportFormat::Report:
    break;
  }
  std::vector<std::string> cells = row.Row.Cells;
  cells.insert(cells.end(), {row.Change, ChangedFieldsText(row)});
  AppendReportLine(text, cells);
}
