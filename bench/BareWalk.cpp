#include "BareWalk.h"

#include "FindEntries.h"

std::size_t TBareWalk::Run(const std::string& folder) {
  FPath = folder + '\\';
  FMatched = 0;
  WalkFolder();
  return FMatched;
}

void TBareWalk::WalkFolder() {
  const std::size_t length = FPath.size();
  for (const std::string& mask : FMasks) {
    FPath += mask;
    ForEachEntry(FPath.c_str(), [this](const WIN32_FIND_DATAA& entry) {
      if (!IsDotEntry(entry)) {
        ++FMatched;
      }
    });
    FPath.resize(length);
  }
  FPath += "*.*";
  // The pattern is no longer needed once the enumeration is open, so the path is reused for
  // each subfolder.
  ForEachEntry(FPath.c_str(), [this, length](const WIN32_FIND_DATAA& entry) {
    if (IsWalkedSubfolder(entry)) {
      FPath.resize(length);
      FPath += entry.cFileName;
      FPath += '\\';
      WalkFolder();
    }
  });
  FPath.resize(length);
}
