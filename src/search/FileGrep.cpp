#include "FileGrep.h"

#include "SearchRun.h"
#include "SearchThread.h"

#include "FileAttributes.h"
#include "MainThread.h"

#include <utility>

TFileGrep::TFileGrep(TComponent* owner) : TCustomComponent(owner) {}

TFileGrep::~TFileGrep() {
  Cancel();
  SetOutStringList(nullptr);
  // A run in progress (this was destroyed from one of its handlers) must not touch this
  // component again, and a worker still waiting to hand its run over finds nothing to run.
  for (TSearchRun* run = FActiveRun; run != nullptr; run = run->Outer()) {
    run->Abandon();
  }
  if (FWorker != nullptr && !FWorker->Release()) {
    // A worker that could not hand its run over ends at once, and is this one's to free.
    WaitForSingleObject(FWorker->Handle(), INFINITE);
    delete FWorker;
  }
}

void TFileGrep::Start() {
  EndUnrunRun();
  if (FWorker != nullptr) {
    return;
  }
  FFoundList.Clear();
  if (FThreadedSearch && MainThread != nullptr) {
    FWorker = new TSearchThread(this);
  } else if (FThreadedSearch) {
    // No UI thread could take the run from a worker.
    TSearchRun(*this, RunParameters()).EndWithoutWalk();
  } else {
    DoSearch(RunParameters());
  }
}

void TFileGrep::EndUnrunRun() {
  if (FWorker == nullptr || !FWorker->Unrun()) {
    return;
  }
  WaitForSingleObject(FWorker->Handle(), INFINITE);
  delete std::exchange(FWorker, nullptr);
  TSearchRun(*this, RunParameters()).EndWithoutWalk();
}

void TFileGrep::Cancel() {
  EndUnrunRun();
  FCancelRequested = true;
  if (FWorker != nullptr) {
    FWorker->Terminate();
  }
}

TDateTime TFileGrep::DateBound(int index) const {
  if (index < 0 || index >= DateBoundCount || !FLookForDates.Contains(TLookFor(index))) {
    return 0;
  }
  return FDates[index].Value();
}

DWORD TFileGrep::AttributeMask() const {
  if (FAttributes.Contains(fmAnyfile)) {
    return DosFileAttributes;
  }
  DWORD mask = 0;
  if (FAttributes.Contains(fmReadOnly)) {
    mask |= FILE_ATTRIBUTE_READONLY;
  }
  if (FAttributes.Contains(fmHidden)) {
    mask |= FILE_ATTRIBUTE_HIDDEN;
  }
  if (FAttributes.Contains(fmSystem)) {
    mask |= FILE_ATTRIBUTE_SYSTEM;
  }
  if (FAttributes.Contains(fmArchive)) {
    mask |= FILE_ATTRIBUTE_ARCHIVE;
  }
  return mask;
}

const WIN32_FIND_DATAA* TFileGrep::FoundEntry() const {
  return FActiveRun != nullptr ? FActiveRun->FoundEntry() : nullptr;
}

TSearchParameters TFileGrep::RunParameters() const {
  TSearchParameters parameters;
  parameters.Dirs = FDirs;
  parameters.FileMasks = FFileMasks;
  parameters.Content = FContent;
  parameters.CaseSensitiveContent = FCaseSensitiveContent;
  parameters.AttributeMask = AttributeMask();
  for (int index = 0; index < DateBoundCount; ++index) {
    parameters.DateBounds[index] = DateBound(index);
  }
  parameters.MaxSize = FMaxSize;
  parameters.MinSize = FMinSize;
  parameters.RecurseSubDirs = FRecurseSubDirs;
  parameters.DirsIsOneFolder = FDirsIsOneFolder;
  return parameters;
}

void TFileGrep::DoSearch(TSearchParameters parameters) {
  TSearchRun run(*this, std::move(parameters));
  run.Execute();
}

void TFileGrep::SetThreadPriority(TThreadPriority value) {
  EndUnrunRun();
  if (value == FThreadPriority) {
    return;
  }
  FThreadPriority = value;
  if (FWorker != nullptr) {
    FWorker->SetPriority(value);
  }
}

void TFileGrep::SetOutStringList(TListBox* value) {
  if (value == FOutStringList) {
    return;
  }
  if (FOutStringList != nullptr) {
    FOutStringList->RemoveFreeNotification(this);
  }
  FOutStringList = value;
  if (value != nullptr) {
    value->FreeNotification(this);
  }
}

void TFileGrep::Notification(TComponent* component, TOperation operation) {
  TCustomComponent::Notification(component, operation);
  if (operation == opRemove && component == FOutStringList) {
    FOutStringList = nullptr;
  }
}

bool TFileGrep::StopRequested() const {
  return (FWorker != nullptr && FWorker->Terminated()) || MainThread->Terminated() ||
         FCancelRequested;
}

void TFileGrep::AddFound(const std::string& record) {
  if (FOutStringList != nullptr) {
    FOutStringList->Items().Add(record);
  }
  if (FKeepFoundList) {
    FFoundList.Add(record);
  }
}
