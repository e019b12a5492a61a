#include "Drift.h"

#include "AnsiText.h"
#include "ReportFields.h"

#include "ResultColumns.h"

#include <algorithm>

namespace {

bool IsLeftOut(std::size_t field, const std::vector<std::size_t>& ignored) {
  static const int lastAccessUtc = FindReportField("LastAccessUtc");
  return ReportFields()[field].Kind == TFieldKind::LocalTime ||
         static_cast<int>(field) == lastAccessUtc ||
         std::find(ignored.begin(), ignored.end(), field) != ignored.end();
}

} // namespace

TDrift::TDrift(const TBaseline& baseline, const std::vector<std::size_t>& writtenFields,
               const std::vector<std::size_t>& ignoredFields)
    : FBaseline(baseline), FWritten(writtenFields), FMatched(baseline.Count(), false) {
  for (const std::size_t field : writtenFields) {
    if (baseline.Has(field) && !IsLeftOut(field, ignoredFields)) {
      FCompared.push_back(field);
    }
  }
}

std::optional<TDriftRow> TDrift::Compare(const TReportRow& row) {
  const std::optional<std::size_t> match = FBaseline.Find(row.Audit.Path);
  if (!match) {
    return TDriftRow{"added", row, {}, {}};
  }
  FMatched[*match] = true;
  TDriftRow drift{"changed", row, {}, {}};
  for (const std::size_t field : FCompared) {
    std::string before = FBaseline.Text(*match, field);
    if (FieldUtf8Text(row, field) != before) {
      drift.ChangedFields.push_back(field);
      drift.BaselineTexts.push_back(std::move(before));
    }
  }
  return drift.ChangedFields.empty() ? std::nullopt : std::optional(std::move(drift));
}

std::vector<TDriftRow> TDrift::Removed() const {
  std::vector<TDriftRow> removed;
  for (std::size_t row = 0; row < FMatched.size(); ++row) {
    if (FMatched[row]) {
      continue;
    }
    TDriftRow drift{"removed", {}, {}, {}};
    drift.Row.Cells.resize(ResultColumnCount);
    for (const std::size_t field : FWritten) {
      const std::string text = FBaseline.Text(row, field);
      if (field < ResultColumnCount) {
        drift.Row.Cells[field] = Utf8ToAnsi(text);
      } else {
        SetFieldText(drift.Row, field, text);
      }
    }
    removed.push_back(std::move(drift));
  }
  return removed;
}
