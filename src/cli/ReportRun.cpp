#include "ReportRun.h"

#include "ConsoleThread.h"

#include "FileCtrl.h"
#include "FileGrep.h"
#include "FoundRecord.h"
#include "RowBuilder.h"
#include "RowOrder.h"
#include "UniqueHandle.h"
#include "VersionInfo.h"

#include <algorithm>

namespace {

// A folder the walk can enter: it exists, is a folder, and its entries can be listed.
bool Readable(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return false;
  }
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') {
    pattern += '\\';
  }
  WIN32_FIND_DATAA entry;
  const TFindHandle find(FindFirstFileA((pattern + "*").c_str(), &entry));
  return find || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// The full path, so that the rows name their folders whatever the current one was.
std::string FullPath(const std::string& folder) {
  char buffer[MAX_PATH * 4];
  const DWORD length = GetFullPathNameA(folder.c_str(), sizeof buffer, buffer, nullptr);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : folder;
}

class TReportWalk : public TObject {
public:
  TReportWalk(const TReportOptions& options, TConsoleProgress& progress, TReportResult& result)
      : FProgress(progress), FResult(result), FVersions(nullptr), FFiles(nullptr),
        FRows(FVersions, FFiles), FGrep(nullptr) {
    FGrep.SetThreadedSearch(false);
    FGrep.SetFileMasks(options.Masks);
    FGrep.SetRecurseSubDirs(options.Recurse);
    FGrep.SetAttributes(options.Attributes);
    TLookFors lookFor;
    for (const TDateBoundOption& bound : options.DateBounds) {
      lookFor.Include(bound.Bound);
      TSearchDateTime date;
      const TDateTimeParts parts = DecodeDateTime(bound.Value);
      // The day first to the 1st, so that no step on the way makes an impossible date.
      date.SetDay(1);
      date.SetYear(parts.Year);
      date.SetMonth(parts.Month);
      date.SetDay(parts.Day);
      date.SetHour(parts.Hour);
      date.SetMinute(parts.Minute);
      date.SetSecond(parts.Second);
      SetBound(bound.Bound, date);
    }
    FGrep.SetLookForDates(lookFor);
    FGrep.SetContent(options.Content);
    FGrep.SetCaseSensitiveContent(options.CaseSensitive);
    FGrep.OnFound = Bind<&TReportWalk::Found>(this);
    FGrep.OnDirChange = Bind<&TReportWalk::DirChange>(this);
  }

  void Search(const std::string& folder) {
    FGrep.SetDirs(folder);
    FGrep.Start();
  }

private:
  void SetBound(TLookFor bound, const TSearchDateTime& date) {
    switch (bound) {
    case lfCreateAfter:
      return FGrep.SetCreatedAfter(date);
    case lfCreateBefore:
      return FGrep.SetCreatedBefore(date);
    case lfAccessedAfter:
      return FGrep.SetAccessedAfter(date);
    case lfAccessedBefore:
      return FGrep.SetAccessedBefore(date);
    case lfModifiedAfter:
      return FGrep.SetModifiedAfter(date);
    case lfModifiedBefore:
      return FGrep.SetModifiedBefore(date);
    }
  }

  void Found(TObject*, const std::string& found) {
    std::string directory;
    std::string name;
    SplitFoundRecord(found, directory, name);
    TReportRow row;
    row.Cells = FRows.Cells(directory, name);
    row.Audit = AuditFieldsOf(FVersions);
    FResult.Rows.push_back(std::move(row));
    FProgress.Found(FResult.Rows.size());
  }

  void DirChange(TObject*, const std::string& folder) { FProgress.Searching(folder); }

  TConsoleProgress& FProgress;
  TReportResult& FResult;
  TVersionInfo FVersions;
  TFileCtrl FFiles;
  TRowBuilder FRows;
  TFileGrep FGrep;
};

} // namespace

TReportResult RunReport(const TReportOptions& options, TConsoleProgress& progress) {
  TReportResult result;
  TReportWalk walk(options, progress, result);
  for (const std::string& folder : options.Folders) {
    if (TConsoleThread::Interrupted()) {
      break;
    }
    if (!Readable(folder)) {
      result.MissingFolders.push_back(folder);
      continue;
    }
    walk.Search(FullPath(folder));
  }
  result.Interrupted = TConsoleThread::Interrupted();
  if (options.SortColumn) {
    SortReportRows(result.Rows, *options.SortColumn, options.Descending);
  }
  return result;
}

void SortReportRows(std::vector<TReportRow>& rows, int column, bool descending) {
  const auto index = static_cast<std::size_t>(column);
  std::stable_sort(rows.begin(), rows.end(), [&](const TReportRow& a, const TReportRow& b) {
    const int order = CompareCellTexts(a.Cells[index], b.Cells[index]);
    return descending ? order > 0 : order < 0;
  });
}
