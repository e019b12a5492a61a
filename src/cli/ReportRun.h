#pragma once

#include "ConsoleProgress.h"
#include "ReportOptions.h"
#include "ReportRow.h"

#include "Object.h"

#include <functional>
#include <string>
#include <vector>

// What a run of the console report gives.
struct TReportResult {
  // How many rows were handed on.
  std::size_t Rows = 0;
  // Start folders that do not exist or cannot be read; the others were searched.
  std::vector<std::string> MissingFolders;
  // How many folders could not be listed and files not read; each was named on standard
  // error as it happened.
  std::size_t Unreadable = 0;
  // How many program images listed are not validly signed, when the options require it;
  // each was named on standard error.
  std::size_t NotValidlySigned = 0;
  bool Interrupted = false;
};

// Searches each folder of the options in turn with the window's engine, makes each found
// file's row with the window's row builder and hands it on as it is found or, when the
// options ask for a sort, all of them sorted once the search is over. The program's own
// files (the report and the file it is written to first) are no rows of it.
TReportResult RunReport(const TReportOptions& options, TConsoleProgress& progress,
                        const std::function<void(const TReportRow&)>& handOn,
                        const std::vector<std::string>& ownFiles = {});
