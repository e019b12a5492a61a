#pragma once

#include "UniqueHandle.h"

#include <windows.h>

// Calls visit with every entry that FindFirstFileA and FindNextFileA give for the pattern,
// in their order; a pattern that matches nothing gives nothing.
template <typename TVisit>
void ForEachEntry(const char* pattern, TVisit&& visit) {
  WIN32_FIND_DATAA entry;
  const TFindHandle find(FindFirstFileA(pattern, &entry));
  if (!find) {
    return;
  }
  do {
    visit(entry);
  } while (FindNextFileA(find.get(), &entry));
}

inline bool IsDotEntry(const WIN32_FIND_DATAA& entry) {
  const char* name = entry.cFileName;
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// A folder the walk descends into: system and volume-label entries are passed over.
inline bool IsWalkedSubfolder(const WIN32_FIND_DATAA& entry) {
  const DWORD skipped = FILE_ATTRIBUTE_SYSTEM | 0x08 /* volume label */;
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (entry.dwFileAttributes & skipped) == 0 && !IsDotEntry(entry);
}
