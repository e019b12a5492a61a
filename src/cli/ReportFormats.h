#pragma once

#include "ReportOptions.h"
#include "ReportRow.h"

#include <string>

// The formats: "report" in the ANSI code page, exactly as the window saves its rows; "csv"
// (RFC 4180) and "json" (JSON Lines) in UTF-8 with the audit fields. A report is its header
// followed by each row as it comes, so that rows are written as they are found.

// The first line of the format; empty for JSON Lines, which has none.
std::string FormatHeader(TReportFormat format);
// Appends the row's line.
void AppendFormattedRow(std::string& text, const TReportRow& row, TReportFormat format);
