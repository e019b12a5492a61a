#pragma once

#include "Baseline.h"
#include "ReportRow.h"

#include <optional>
#include <string>
#include <vector>

// A row of the differences between a run and its baseline.
struct TDriftRow {
  // "added", "removed" or "changed".
  std::string Change;
  // The new row; for a removed one, the baseline's.
  TReportRow Row;
  // The compared fields whose values differ, in field order, and the baseline's value of each.
  std::vector<std::size_t> ChangedFields;
  std::vector<std::string> BaselineTexts;
};

// Compares the rows of a run with the baseline's, by path: each row is added, changed or the
// same, and the baseline's rows no row matched are removed.
class TDrift {
public:
  // The fields compared: those the run writes that the baseline has, but the access times,
  // the local times (the UTC ones carry them) and the fields left out.
  TDrift(const TBaseline& baseline, const std::vector<std::size_t>& writtenFields,
         const std::vector<std::size_t>& ignoredFields);

  const std::vector<std::size_t>& Compared() const { return FCompared; }
  // The row's difference from its baseline row; none when it is the same.
  std::optional<TDriftRow> Compare(const TReportRow& row);
  // The baseline's rows that no row compared matched, in the baseline's order.
  std::vector<TDriftRow> Removed() const;

private:
  const TBaseline& FBaseline;
  std::vector<std::size_t> FWritten;
  std::vector<std::size_t> FCompared;
  std::vector<bool> FMatched;
};
