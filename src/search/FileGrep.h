#pragma once

#include "FileGrepTypes.h"
#include "SearchDateTime.h"

#include "CustomComponent.h"
#include "Event.h"
#include "ListBox.h"
#include "SearchThread.h"
#include "Strings.h"
#include "Thread.h"

#include <array>
#include <string>

class TSearchRun;
class TSearchThread;

using TNotifyEvent = TEvent<>;
using TFoundEvent = TEvent<const std::string&>;
using TFileChangeEvent = TEvent<const std::string&>;
// A folder whose entries could not be listed, and the system's error code.
using TDirErrorEvent = TEvent<const std::string&, DWORD>;

// Searches folders, and optionally their subfolders, for entries that match a list of masks,
// and reports each folder entered, each entry found and the end of a run through events.
// In threaded mode Start hands the run to the UI thread through a worker thread and returns
// at once; in direct mode Start performs the run itself.
class TFileGrep : public TCustomComponent {
public:
  explicit TFileGrep(TComponent* owner);
  ~TFileGrep() override;

  void Start();
  void Cancel();

  // The date-time number of bound 0 to 5 when LookForDates selects it; otherwise 0.
  TDateTime DateBound(int index) const;
  // The attribute bits that Attributes stands for; all six DOS bits when it holds fmAnyfile.
  DWORD AttributeMask() const;

  // What a run begins with.
  TSearchParameters RunParameters() const;
  // Performs one run with the given parameters and ends it; see Start.
  void DoSearch(TSearchParameters parameters);

  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& value) { FAbout = value.substr(0, 10); }
  const std::string& FileMasks() const { return FFileMasks; }
  void SetFileMasks(const std::string& value) { FFileMasks = value; }
  const std::string& Dirs() const { return FDirs; }
  void SetDirs(const std::string& value) { FDirs = value; }
  // Dirs is taken as one folder whose name may hold ";", rather than as a list; the window
  // leaves it false, the console program, which has a folder per argument, sets it.
  bool DirsIsOneFolder() const { return FDirsIsOneFolder; }
  void SetDirsIsOneFolder(bool value) { FDirsIsOneFolder = value; }
  TFileGrepAttributes Attributes() const { return FAttributes; }
  void SetAttributes(TFileGrepAttributes value) { FAttributes = value; }

  const TSearchDateTime& CreatedAfter() const { return FDates[lfCreateAfter]; }
  void SetCreatedAfter(const TSearchDateTime& value) { SetDate(lfCreateAfter, value); }
  const TSearchDateTime& CreatedBefore() const { return FDates[lfCreateBefore]; }
  void SetCreatedBefore(const TSearchDateTime& value) { SetDate(lfCreateBefore, value); }
  const TSearchDateTime& AccessedAfter() const { return FDates[lfAccessedAfter]; }
  void SetAccessedAfter(const TSearchDateTime& value) { SetDate(lfAccessedAfter, value); }
  const TSearchDateTime& AccessedBefore() const { return FDates[lfAccessedBefore]; }
  void SetAccessedBefore(const TSearchDateTime& value) { SetDate(lfAccessedBefore, value); }
  const TSearchDateTime& ModifiedAfter() const { return FDates[lfModifiedAfter]; }
  void SetModifiedAfter(const TSearchDateTime& value) { SetDate(lfModifiedAfter, value); }
  const TSearchDateTime& ModifiedBefore() const { return FDates[lfModifiedBefore]; }
  void SetModifiedBefore(const TSearchDateTime& value) { SetDate(lfModifiedBefore, value); }

  std::int32_t MinSize() const { return FMinSize; }
  void SetMinSize(std::int32_t value) { FMinSize = value; }
  std::int32_t MaxSize() const { return FMaxSize; }
  void SetMaxSize(std::int32_t value) { FMaxSize = value; }
  const std::string& Content() const { return FContent; }
  void SetContent(const std::string& value) { FContent = value; }
  bool CaseSensitiveContent() const { return FCaseSensitiveContent; }
  void SetCaseSensitiveContent(bool value) { FCaseSensitiveContent = value; }
  bool ThreadedSearch() const { return FThreadedSearch; }
  void SetThreadedSearch(bool value) { FThreadedSearch = value; }
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority value);
  bool RecurseSubDirs() const { return FRecurseSubDirs; }
  void SetRecurseSubDirs(bool value) { FRecurseSubDirs = value; }
  TListBox* OutStringList() const { return FOutStringList; }
  void SetOutStringList(TListBox* value);
  TReturnValues ReturnValues() const { return FReturnValues; }
  void SetReturnValues(TReturnValues value) { FReturnValues = value; }
  char ReturnDelimiter() const { return FReturnDelimiter; }
  void SetReturnDelimiter(char value) { FReturnDelimiter = value; }
  TLookFors LookForDates() const { return FLookForDates; }
  void SetLookForDates(TLookFors value) { FLookForDates = value; }

  // The records of the last run, in the order they were reported.
  const TStringList& FoundList() const { return FFoundList; }
  // Whether FoundList keeps the records (the window's engine does); a program that takes
  // each record as it is found and searches whole disks turns it off.
  bool KeepFoundList() const { return FKeepFoundList; }
  void SetKeepFoundList(bool value) { FKeepFoundList = value; }
  // The worker of a threaded run that has been started and has not ended; null otherwise.
  TSearchThread* Worker() const {
    return FWorker != nullptr && !FWorker->Unrun() ? FWorker : nullptr;
  }
  bool CancelRequested() const { return FCancelRequested; }
  // While OnFound runs, the directory search's entry of the entry found; null otherwise.
  const WIN32_FIND_DATAA* FoundEntry() const;

  TNotifyEvent OnFinished;
  TNotifyEvent OnCancel;
  TFoundEvent OnFound;
  TFileChangeEvent OnDirChange;
  TNotifyEvent OnEnd;
  TFileChangeEvent OnFileChange;
  // A folder that could not be listed (access denied, a path too long to open): the walk
  // goes on without it and what lies below it.
  TDirErrorEvent OnDirError;
  // A subfolder the walk leaves out by its rule: it carries the system attribute.
  TFileChangeEvent OnDirSkipped;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TSearchRun;
  friend class TSearchThread;

  void SetDate(int index, const TSearchDateTime& value) { FDates[index].Assign(value); }
  bool StopRequested() const;
  // Ends a run whose worker could not hand it over, as a run that found nothing.
  void EndUnrunRun();
  void AddFound(const std::string& record);

  std::string FAbout;
  std::string FFileMasks;
  std::string FDirs;
  TFileGrepAttributes FAttributes{fmAnyfile};
  std::array<TSearchDateTime, DateBoundCount> FDates;
  std::int32_t FMinSize = 0;
  std::int32_t FMaxSize = 0;
  std::string FContent;
  bool FCaseSensitiveContent = true;
  bool FThreadedSearch = true;
  TThreadPriority FThreadPriority = tpNormal;
  bool FRecurseSubDirs = true;
  bool FDirsIsOneFolder = false;
  TListBox* FOutStringList = nullptr;
  TReturnValues FReturnValues{rvDir, rvFilename};
  char FReturnDelimiter = ';';
  TLookFors FLookForDates;

  TSearchThread* FWorker = nullptr;
  bool FCancelRequested = false;
  TStringList FFoundList;
  bool FKeepFoundList = true;
  // The innermost run in progress; runs started from a handler of a direct run nest.
  TSearchRun* FActiveRun = nullptr;
};
