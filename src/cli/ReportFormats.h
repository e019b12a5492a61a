#pragma once

#include "ReportOptions.h"
#include "ReportRow.h"

#include <string>
#include <vector>

// The rows as the format writes them: "report" in the ANSI code page, exactly as the window
// saves them; "csv" (RFC 4180) and "json" (JSON Lines) in UTF-8 with the audit fields.
std::string FormatRows(const std::vector<TReportRow>& rows, TReportFormat format);
