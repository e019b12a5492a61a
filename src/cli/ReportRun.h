#pragma once

#include "ConsoleProgress.h"
#include "ReportOptions.h"
#include "ReportRow.h"

#include "Object.h"

#include <string>
#include <vector>

// What a run of the console report gives.
struct TReportResult {
  // In the order the walk found them, or sorted as the options ask.
  std::vector<TReportRow> Rows;
  // Start folders that do not exist or cannot be read; the others were searched.
  std::vector<std::string> MissingFolders;
  bool Interrupted = false;
};

// Searches each folder of the options in turn with the window's engine and makes each
// found file's row with the window's row builder.
TReportResult RunReport(const TReportOptions& options, TConsoleProgress& progress);

// Orders rows as a header click does: by the column's text, stably, ascending unless asked.
void SortReportRows(std::vector<TReportRow>& rows, int column, bool descending);
