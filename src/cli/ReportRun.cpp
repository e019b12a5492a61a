#include "ReportRun.h"

#include "ConsoleThread.h"
#include "HeadReaders.h"
#include "HeldRows.h"
#include "ReportFields.h"
#include "TrustFields.h"

#include "FileCtrl.h"
#include "FileExists.h"
#include "FileGrep.h"
#include "FileHead.h"
#include "FoundRecord.h"
#include "Paths.h"
#include "RowBuilder.h"
#include "SearchFilters.h"
#include "Strings.h"
#include "UniqueHandle.h"
#include "VersionInfo.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <unordered_set>

namespace {

// A folder the walk can enter: it exists, is a folder, and its entries can be listed.
bool Readable(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return false;
  }
  std::string pattern = folder;
  if (!pattern.empty() && !EndsWithBackslash(pattern) && pattern.back() != '/') {
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

// Whether the fixed version's numbers, "a.b.c.d", lie within the options' version bounds; a
// file without a fixed version lies within none.
bool WithinVersionBounds(const TReportOptions& options, const std::string& fixedNumbers) {
  if (!options.VersionBelow && !options.VersionAtLeast) {
    return true;
  }
  std::vector<std::uint32_t> version = StatedVersion(fixedNumbers);
  if (version.empty()) {
    return false;
  }
  const auto padded = [](std::vector<std::uint32_t> numbers) {
    numbers.resize(4);
    return numbers;
  };
  version = padded(version);
  return (!options.VersionBelow || version < padded(*options.VersionBelow)) &&
         (!options.VersionAtLeast || version >= padded(*options.VersionAtLeast));
}

bool SamePath(const std::string& first, const std::string& second) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, first.c_str(), -1, second.c_str(), -1) ==
         CSTR_EQUAL;
}

// How many found files' heads are read ahead of the one being listed; they are all listed
// before the walk's next folder.
constexpr std::size_t Lookahead = 64;
constexpr unsigned HeadReaderThreads = 3;

struct TPendingFile {
  std::string Directory;
  std::string Name;
  std::optional<WIN32_FIND_DATAA> Entry;
  bool HeadAsked;
};

class TReportWalk : public TObject {
public:
  TReportWalk(const TReportOptions& options, TConsoleProgress& progress, TReportResult& result,
              const std::function<void(const TReportRow&)>& handOn,
              const std::vector<std::string>& ownFiles)
      : FOptions(options), FHandOn(handOn), FProgress(progress), FResult(result), FTrust(options),
        FVersions(nullptr), FFiles(nullptr), FRows(FVersions, FFiles), FGrep(nullptr) {
    for (const std::string& file : ownFiles) {
      FOwnFiles.push_back(FullPath(file));
    }
    FGrep.SetThreadedSearch(false);
    FGrep.SetDirsIsOneFolder(true);
    // Rows are handed on as they are found: the engine need not keep half a million records.
    FGrep.SetKeepFoundList(false);
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
    FGrep.OnDirError = Bind<&TReportWalk::DirError>(this);
    FGrep.OnDirSkipped = Bind<&TReportWalk::DirSkipped>(this);
  }

  void Search(const std::string& folder) {
    FGrep.SetDirs(folder);
    FGrep.Start();
    ListPending();
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
    // A file that several masks match is listed once; the walk matches a folder's masks
    // one after the other.
    if (!FNamesInFolder.insert(AsciiUpperCase(name)).second || IsOwnFile(directory + name)) {
      return;
    }
    // The walk's entry already holds the file's attributes, times and size.
    const WIN32_FIND_DATAA* entry = FGrep.FoundEntry();
    TPendingFile file{std::move(directory), std::move(name),
                      entry != nullptr ? std::optional(*entry) : std::nullopt, false};
    if (file.Entry && HeadIsReadFor(*file.Entry)) {
      file.HeadAsked = true;
      FHeadReaders.Ask(file.Directory + file.Entry->cFileName);
    }
    FPending.push_back(std::move(file));
    if (FPending.size() > Lookahead) {
      ListFirstPending();
    }
  }

  void ListFirstPending() {
    const TPendingFile& file = FPending.front();
    if (file.HeadAsked) {
      const TFileHeadRead head = FHeadReaders.Take();
      List(file, &head);
    } else {
      List(file, nullptr);
    }
    FPending.pop_front();
  }

  void ListPending() {
    while (!FPending.empty()) {
      ListFirstPending();
    }
  }

  void List(const TPendingFile& file, const TFileHeadRead* head) {
    TReportRow row;
    row.Cells = file.Entry ? FRows.FoundCells(file.Directory, *file.Entry, head)
                           : FRows.Cells(file.Directory, file.Name);
    row.Audit = AuditFieldsOf(FVersions);
    if (!WithinVersionBounds(FOptions, row.Audit.FileVersionNumber) || OnExcludedBound()) {
      return;
    }
    FTrust.Fill(row.Audit, FVersions.FileFacts().has_value());
    if (!row.Audit.ReadError.empty()) {
      Problem("cannot read \"" + row.Audit.Path + "\": " + row.Audit.ReadError);
    }
    if (FOptions.RequireSigned && !row.Audit.Machine.empty() && row.Audit.Signature != "Valid") {
      FProgress.Clear();
      WriteError("not validly signed: \"" + row.Audit.Path + "\": " + row.Audit.Signature);
      ++FResult.NotValidlySigned;
    }
    FHandOn(row);
    FProgress.Found(++FResult.Rows);
  }

  // Whether the file's time stands on a bound that leaves its own moment out.
  bool OnExcludedBound() const {
    const std::optional<TFileFacts>& facts = FVersions.FileFacts();
    for (const TDateBoundOption& bound : FOptions.DateBounds) {
      if (!bound.Exclusive || !facts) {
        continue;
      }
      const FILETIME* const times[] = {&facts->Created, &facts->LastAccess, &facts->LastWrite};
      FILETIME local;
      if (FileTimeToLocalFileTime(times[bound.Bound / 2], &local) &&
          CompareFileDate(local, bound.Value) == 0) {
        return true;
      }
    }
    return false;
  }

  // The files found before a folder's messages are listed before them.
  void DirChange(TObject*, const std::string& folder) {
    ListPending();
    FNamesInFolder.clear();
    FProgress.Searching(folder);
  }

  void DirError(TObject*, const std::string& folder, DWORD error) {
    ListPending();
    Problem("cannot list folder \"" + folder + "\": " + SystemErrorText(error));
  }

  void DirSkipped(TObject*, const std::string& folder) {
    ListPending();
    if (FOptions.Verbose) {
      FProgress.Clear();
      WriteError("left out system folder \"" + folder + "\"");
    }
  }

  // Something that could not be read: said at once, and the run's end says so too.
  void Problem(const std::string& message) {
    FProgress.Clear();
    WriteError(message);
    ++FResult.Unreadable;
  }

  const TReportOptions& FOptions;
  const std::function<void(const TReportRow&)>& FHandOn;
  bool IsOwnFile(const std::string& path) const {
    return std::any_of(FOwnFiles.begin(), FOwnFiles.end(),
                       [&](const std::string& own) { return SamePath(path, own); });
  }

  std::vector<std::string> FOwnFiles;
  std::unordered_set<std::string> FNamesInFolder;
  // Found, in their order, and not yet listed.
  std::deque<TPendingFile> FPending;
  THeadReaders FHeadReaders{HeadReaderThreads};

  TConsoleProgress& FProgress;
  TReportResult& FResult;
  TTrustFields FTrust;
  TVersionInfo FVersions;
  TFileCtrl FFiles;
  TRowBuilder FRows;
  TFileGrep FGrep;
};

} // namespace

TReportResult RunReport(const TReportOptions& options, TConsoleProgress& progress,
                        const std::function<void(const TReportRow&)>& handOn,
                        const std::vector<std::string>& ownFiles) {
  TReportResult result;
  std::optional<THeldRows> held;
  if (options.SortField) {
    held.emplace(WrittenFields(options.FieldGroups));
  }
  const std::function<void(const TReportRow&)> found = [&](const TReportRow& row) {
    if (held) {
      held->Add(row);
    } else {
      handOn(row);
    }
  };
  TReportWalk walk(options, progress, result, found, ownFiles);
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
  if (held) {
    held->Sort(*options.SortField, options.Descending);
    for (std::size_t index = 0; index < held->Count(); ++index) {
      handOn(held->Row(index));
    }
  }
  return result;
}
