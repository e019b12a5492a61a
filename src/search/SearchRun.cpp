#include "SearchRun.h"

#include "FileGrep.h"
#include "SearchThread.h"

#include "FileAttributes.h"
#include "MainThread.h"
#include "Paths.h"
#include "UniqueHandle.h"

#include <cstring>
#include <exception>

namespace {

// Splits a list at every ";"; pieces are not trimmed, and empty ones are kept.
std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t semicolon; (semicolon = list.find(';', start)) != std::string::npos;
       start = semicolon + 1) {
    pieces.push_back(list.substr(start, semicolon - start));
  }
  pieces.push_back(list.substr(start));
  return pieces;
}

// The folder with exactly one trailing backslash; an empty or blank folder is the root of
// the current drive.
std::string FolderPath(const std::string& folder) {
  const bool blank = folder.find_first_not_of(' ') == std::string::npos;
  return blank || !EndsWithBackslash(folder) ? folder + '\\' : folder;
}

bool IsDotEntry(const char* name) {
  return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// Whether a failed listing only found nothing: the folder itself was listed.
bool FoundNothing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

} // namespace

TSearchRun::TSearchRun(TFileGrep& grep, TSearchParameters parameters)
    : FGrep(grep), FOuter(grep.FActiveRun), FParameters(std::move(parameters)),
      FMasks(SplitList(FParameters.FileMasks)),
      // Ignoring case, the search compares the text in upper case.
      FContentSearch(FParameters.Content, FParameters.CaseSensitiveContent) {
  grep.FActiveRun = this;
}

TSearchRun::~TSearchRun() {
  if (!FAbandoned) {
    FGrep.FActiveRun = FOuter;
  }
}

bool TSearchRun::StopRequested() const {
  return FAbandoned || FGrep.StopRequested();
}

void TSearchRun::Execute() {
  // A handler failed: the run still ends, so that the component is idle again and its owner
  // hears of the end; then the failure goes on to the caller.
  TFirstFailure failure;
  failure.Run([this] {
    const std::vector<std::string> folders = FParameters.DirsIsOneFolder
                                                 ? std::vector<std::string>{FParameters.Dirs}
                                                 : SplitList(FParameters.Dirs);
    for (const std::string& folder : folders) {
      if (FAbandoned) {
        break;
      }
      // In direct mode every start folder is entered, and a stop ends each at its first entry.
      if (!StopRequested() || FGrep.FWorker == nullptr) {
        SearchFolder(folder);
      }
    }
  });
  FMasks.clear();
  if (!FAbandoned) {
    EndSequence(failure);
  }
  failure.RethrowIfAny();
}

void TSearchRun::EndWithoutWalk() {
  TFirstFailure failure;
  EndSequence(failure);
  failure.RethrowIfAny();
}

void TSearchRun::SearchFolder(const std::string& folder) {
  MainThread->ProcessMessages();
  if (FAbandoned) {
    return;
  }
  const std::string path = FolderPath(folder);
  FGrep.OnDirChange(&FGrep, path);
  if (FAbandoned) {
    return;
  }
  FFolderFailed = false;
  for (const std::string& mask : FMasks) {
    if (!MaskPass(path, mask)) {
      return;
    }
  }
  if (!StopRequested() && FParameters.RecurseSubDirs) {
    SubfolderPass(path);
  }
}

bool TSearchRun::MaskPass(const std::string& path, const std::string& mask) {
  if (mask.empty()) {
    return true; // an empty mask finds nothing
  }
  WIN32_FIND_DATAA entry;
  const TFindHandle find(FindFirstFileA((path + mask).c_str(), &entry));
  if (!find) {
    FolderNotListed(path, GetLastError());
    return !FAbandoned;
  }
  do {
    if (StopRequested()) {
      return false;
    }
    if (FGrep.OnFileChange) {
      FGrep.OnFileChange(&FGrep, entry.cFileName);
      if (FAbandoned) {
        return false;
      }
    }
    if (Accepts(path, entry)) {
      BuildRecord(path, entry);
      FFoundEntry = &entry;
      FGrep.OnFound(&FGrep, FRecord);
      if (FAbandoned) {
        return false;
      }
      FFoundEntry = nullptr;
      FGrep.AddFound(FRecord);
    }
  } while (FindNextFileA(find.get(), &entry));
  return true;
}

void TSearchRun::SubfolderPass(const std::string& path) {
  WIN32_FIND_DATAA entry;
  const TFindHandle find(FindFirstFileA((path + "*.*").c_str(), &entry));
  if (!find) {
    FolderNotListed(path, GetLastError());
    return;
  }
  const DWORD skipped = FILE_ATTRIBUTE_SYSTEM | FileAttributeVolumeLabel;
  do {
    const bool folder =
        (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !IsDotEntry(entry.cFileName);
    if (folder && (entry.dwFileAttributes & skipped) != 0) {
      FGrep.OnDirSkipped(&FGrep, path + entry.cFileName + '\\');
      if (FAbandoned) {
        return;
      }
    } else if (folder && !FCycleGuard.LeadsBack(path, entry)) {
      SearchFolder(path + entry.cFileName);
    }
    if (StopRequested()) {
      return;
    }
  } while (FindNextFileA(find.get(), &entry));
}

void TSearchRun::FolderNotListed(const std::string& path, DWORD error) {
  // Once a folder, however many passes fail on it.
  if (FoundNothing(error) || FFolderFailed) {
    return;
  }
  FFolderFailed = true;
  FGrep.OnDirError(&FGrep, path, error);
}

bool TSearchRun::Accepts(const std::string& path, const WIN32_FIND_DATAA& entry) {
  // Sizes compare as 64-bit numbers, so that files of 2 GiB and more are not lost.
  const std::int64_t size = EntrySize(entry);
  if (FParameters.MinSize > size) {
    return false;
  }
  if (FParameters.MaxSize != 0 && FParameters.MaxSize < size) {
    return false;
  }
  if (IsDotEntry(entry.cFileName)) {
    return false;
  }
  if (!HasSelectedAttributes(entry.dwFileAttributes, FParameters.AttributeMask)) {
    return false;
  }
  FTimes = LocalTimesOf(entry);
  if (!WithinDateBounds(FTimes, FGrep.LookForDates(), FParameters.DateBounds)) {
    return false;
  }
  // The cheap tests go first: only this one reads the file.
  return FParameters.Content.empty() ||
         ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
          FContentSearch.FileContainsText(path + entry.cFileName,
                                          [this] { return StopRequested(); }));
}

void TSearchRun::BuildRecord(const std::string& path, const WIN32_FIND_DATAA& entry) {
  const TReturnValues fields = FGrep.ReturnValues();
  const char delimiter = FGrep.ReturnDelimiter();
  FRecord.clear();
  if (fields.Contains(rvDir)) {
    FRecord += path;
    FRecord += delimiter;
  }
  if (fields.Contains(rvFilename)) {
    FRecord += entry.cFileName;
    FRecord += delimiter;
  }
  AppendExtraFields(FRecord, entry, FTimes, fields, delimiter);
}

void TSearchRun::EndSequence(TFirstFailure& failure) {
  if (TSearchThread* worker = FGrep.FWorker) {
    if (!worker->Terminated()) {
      worker->Terminate();
    }
    FGrep.FWorker = nullptr;
  }
  // A handler that fails here must not keep the component from coming back to idle.
  failure.Run([this] {
    if (FGrep.FCancelRequested) {
      FGrep.OnCancel(&FGrep);
    } else {
      FGrep.OnFinished(&FGrep);
    }
  });
  if (FAbandoned) {
    return;
  }
  FGrep.FCancelRequested = false;
  failure.Run([this] { FGrep.OnEnd(&FGrep); });
}
