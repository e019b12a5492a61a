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
  // How many folders could not be listed and files not read; each was named on standard
  // error as it happened.
  std::size_t Unreadable = 0;
  bool Interrupted = false;
};

// Searches each folder of the options in turn with the window's engine and makes each
// found file's row with the window's row builder.
TReportResult RunReport(const TReportOptions& options, TConsoleProgress& progress);
