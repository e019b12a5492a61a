#pragma once

#include "FileGrepTypes.h"

#include <optional>
#include <string>
#include <vector>

enum class TReportFormat { Report, Csv, Json };

// One date bound of the command line: which of the six it is and its local date-time.
struct TDateBoundOption {
  TLookFor Bound;
  TDateTime Value;
};

// What the command line asks for.
struct TReportOptions {
  std::vector<std::string> Folders;
  std::string Masks = "*.*";
  bool Recurse = false;
  TReportFormat Format = TReportFormat::Report;
  // Standard output when empty.
  std::string Output;
  // The column the rows are sorted by, in the order the walk found them when none.
  std::optional<int> SortColumn;
  bool Descending = false;
  TFileGrepAttributes Attributes{fmAnyfile};
  std::vector<TDateBoundOption> DateBounds;
  std::string Content;
  bool CaseSensitive = false;
  bool Quiet = false;
};
