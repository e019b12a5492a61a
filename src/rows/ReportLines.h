#pragma once

#include <string>
#include <string_view>
#include <vector>

// The saved report: a header line of the column captions and a line per row, cells joined
// by two tabs, every line ended by CR LF.
inline constexpr std::string_view ReportCellSeparator = "\t\t";
inline constexpr std::string_view ReportLineEnd = "\r\n";

void AppendReportLine(std::string& report, const std::vector<std::string>& cells);
// The header line of the eighteen captions.
std::string ReportHeader();
