#include "FileGrep.h"

#include "SearchRun.h"
#include "SearchThread.h"

TFileGrep::TFileGrep(TComponent* owner) : TCustomComponent(owner) {}

TFileGrep::~TFileGrep() {
  Cancel();
  SetOutStringList(nullptr);
  // A run in progress (this was destroyed from one of its handlers) must not touch this
  // component again, and a worker still waiting to hand its run over finds nothing to run.
  for (TSearchRun* run = FActiveRun; run != nullptr; run = run->Outer()) {
    run->Abandon();
  }
  if (FWorker != nullptr) {
    FWorker->Grep = nullptr;
  }
}

void TFileGrep::Start() {
  if (FWorker != nullptr) {
    return;
  }
  FFoundList.Clear();
  if (FThreadedSearch) {
    FWorker = new TSearchThread(this);
  } else {
    DoSearch(RunParameters());
  }
}

void TFileGrep::Cancel() {
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
    return 0x3F;
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
  return parameters;
}

void TFileGrep::DoSearch(TSearchParameters parameters) {
  TSearchRun run(*this, std::move(parameters));
  run.Execute();
}

void TFileGrep::SetThreadPriority(TThreadPriority value) {
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
  FFoundList.Add(record);
}
