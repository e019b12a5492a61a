#include "ReportLines.h"

#include "ResultColumns.h"

void AppendReportLine(std::string& report, const std::vector<std::string>& cells) {
  for (std::size_t column = 0; column < cells.size(); ++column) {
    if (column > 0) {
      report += ReportCellSeparator;
    }
    report += cells[column];
  }
  report += ReportLineEnd;
}

std::string ReportHeader() {
  std::string header;
  AppendReportLine(header, {ResultColumnCaptions.begin(), ResultColumnCaptions.end()});
  return header;
}
