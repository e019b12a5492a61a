#pragma once

#include "AuditFields.h"

#include <string>
#include <vector>

// A row of the console report: the window's eighteen cells and the audit fields.
struct TReportRow {
  std::vector<std::string> Cells;
  TAuditFields Audit;
};
