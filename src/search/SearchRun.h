#pragma once

#include "ContentSearch.h"
#include "FileGrepTypes.h"
#include "LinkCycleGuard.h"
#include "SearchFilters.h"

#include <exception>
#include <string>
#include <vector>

class TFileGrep;

// Runs each step to its end whatever the steps before raised, and keeps the first failure.
class TFirstFailure {
public:
  template <typename TStep>
  void Run(TStep step) {
    try {
      step();
    } catch (...) {
      if (!FFailure) {
        FFailure = std::current_exception();
      }
    }
  }
  void RethrowIfAny() const {
    if (FFailure) {
      std::rethrow_exception(FFailure);
    }
  }

private:
  std::exception_ptr FFailure;
};

// One run of a TFileGrep: the walk of every start folder, depth first, and the end sequence.
// The run lives on the stack of the thread performing it. Handlers it raises may destroy
// the component; the component then abandons the run, which from there on touches nothing
// of the component and unwinds.
class TSearchRun {
public:
  TSearchRun(TFileGrep& grep, TSearchParameters parameters);
  ~TSearchRun();
  TSearchRun(const TSearchRun&) = delete;
  TSearchRun& operator=(const TSearchRun&) = delete;

  // Walks every start folder, then ends the run; what a handler raised is raised again after
  // the end sequence.
  void Execute();

  // Only the end sequence, for a run that cannot take place.
  void EndWithoutWalk();

  void Abandon() { FAbandoned = true; }
  // The run this one is nested in, if any.
  TSearchRun* Outer() const { return FOuter; }
  // The entry being reported as found; null between reports.
  const WIN32_FIND_DATAA* FoundEntry() const { return FFoundEntry; }

private:
  bool StopRequested() const;
  void SearchFolder(const std::string& folder);
  // False when the folder is to be left at once.
  bool MaskPass(const std::string& path, const std::string& mask);
  void SubfolderPass(const std::string& path);
  // Tells the owner of a folder whose entries could not be listed.
  void FolderNotListed(const std::string& path, DWORD error);
  // Keeps the entry's local times for its record.
  bool Accepts(const std::string& path, const WIN32_FIND_DATAA& entry);
  void BuildRecord(const std::string& path, const WIN32_FIND_DATAA& entry);
  // The finished or cancel event, then the end event; failures join those of the walk.
  void EndSequence(TFirstFailure& failure);

  TFileGrep& FGrep;
  TSearchRun* const FOuter;
  TSearchParameters FParameters;
  // The mask table: every mask of the list, however many.
  std::vector<std::string> FMasks;
  TContentSearch FContentSearch;
  std::string FRecord;
  TLocalTimes FTimes = {};
  TLinkCycleGuard FCycleGuard;
  bool FAbandoned = false;
  // The folder being walked has been reported as one that could not be listed.
  bool FFolderFailed = false;
  const WIN32_FIND_DATAA* FFoundEntry = nullptr;
};
