#include "VersionInfo.h"

#include "FileExists.h"
#include "FileHead.h"
#include "VersionValues.h"

#include "FileAttributes.h"
#include "FileTime.h"
#include "FormatDateTime.h"
#include "Paths.h"

namespace {

// The time as display text, in local time at the bias in force now.
std::string TimeText(const FILETIME& time) {
  FILETIME local;
  if (!FileTimeToLocalFileTime(&time, &local)) {
    local = {MAXDWORD, MAXDWORD}; // no date at all, which shows as the fallback date
  }
  return DateTimeToStr(FileTimeToDateTime(local));
}

} // namespace

TVersionInfo::TVersionInfo(TComponent* owner) : TCustomComponent(owner) {
  Retrieve();
}

void TVersionInfo::Loaded() {
  TCustomComponent::Loaded();
  Retrieve();
}

void TVersionInfo::SetRetrieveFilename(const std::string& value) {
  if (value != FRetrieveFilename) {
    FRetrieveFilename = value;
    Retrieve();
  }
}

// Nothing in this framework streams components or retrieves while one is destroyed, so a
// retrieval always runs to its end.
void TVersionInfo::Retrieve() {
  const std::string target = FRetrieveFilename.empty() ? ModuleFileName() : FRetrieveFilename;
  // Attributes and times come from the same directory search that finds the file, so a
  // file that another program holds open for writing still shows them.
  RetrieveWith(target, FindFileFacts(target));
}

void TVersionInfo::RetrieveFound(const std::string& path, const WIN32_FIND_DATAA& entry,
                                 const TFileHeadRead* head) {
  FRetrieveFilename = path;
  RetrieveWith(path, FactsOfEntry(entry), head);
}

void TVersionInfo::RetrieveWith(const std::string& target, std::optional<TFileFacts> found,
                                const TFileHeadRead* head) {
  FValues = TVersionInfoValues();
  FHead.reset();
  FReadError = 0;
  FFacts = std::move(found);
  const std::optional<TFileFacts>& facts = FFacts;
  if (!facts) {
    // A folder has no facts of a file; a file that is gone or cannot be named has.
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
      FReadError = GetLastError();
    }
    return;
  }
  const DWORD attributes = facts->Attributes;
  FValues.Archive = (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0;
  FValues.ReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  FValues.System = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
  FValues.Hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  FValues.VolumeId = (attributes & FileAttributeVolumeLabel) != 0;
  FValues.AnyFile = (attributes & FILE_ATTRIBUTE_NORMAL) != 0;
  FValues.Directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  FValues.Compressed = (attributes & FILE_ATTRIBUTE_COMPRESSED) != 0;
  FValues.Created = TimeText(facts->Created);
  FValues.LastAccess = TimeText(facts->LastAccess);
  FValues.LastModified = TimeText(facts->LastWrite);

  // The system opens and maps every file it is asked about and tries each format it knows;
  // most files show in their first bytes that none of them can apply, and a file shorter
  // than the 64-byte header that the system reads whole before anything else shows it by
  // its size alone, unopened. A file whose head cannot be read is left to the system,
  // whatever it makes of it.
  if (!HeadIsRead(facts->Size)) {
    return;
  }
  TFileHeadRead read = head != nullptr ? *head : ReadFileHeadAndError(target);
  FHead = std::move(read.Head);
  FReadError = read.Error;
  if (FHead && !MayHoldVersionResource(*FHead)) {
    return;
  }
  std::optional<TVersionBuffer> buffer = TVersionBuffer::Read(target);
  if (!buffer) {
    return;
  }
  ReadVersionStrings(*buffer, FValues);
  ReadFixedPart(*buffer, FValues);
}
