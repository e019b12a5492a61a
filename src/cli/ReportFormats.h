#pragma once

#include "Drift.h"
#include "ReportOptions.h"
#include "ReportRow.h"

#include <string>
#include <vector>

// The formats: "report" in the ANSI code page, exactly as the window saves its rows; "csv"
// (RFC 4180) and "json" (JSON Lines) in UTF-8 with the audit fields. A report is its header
// followed by each row as it comes, so that rows are written as they are found.

// How a run writes its rows: the format, and the fields CSV and JSON hold (WrittenFields).
// A run compared with a baseline writes its differences instead: each row with its change
// and changed fields (in the report format, as two more cells) and, in CSV and JSON, the
// baseline's values of the compared fields that changed.
struct TRowFormat {
  TReportFormat Format;
  std::vector<std::size_t> Fields;
  bool Drift = false;
  std::vector<std::size_t> Compared;
};

// The first line of the format; empty for JSON Lines, which has none.
std::string FormatHeader(const TRowFormat& format);
// Appends the row's line.
void AppendFormattedRow(std::string& text, const TReportRow& row, const TRowFormat& format);
void AppendDriftRow(std::string& text, const TDriftRow& row, const TRowFormat& format);
