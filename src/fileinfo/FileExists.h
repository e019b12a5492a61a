#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// What one directory search tells about a file.
struct TFileFacts {
  DWORD Attributes = 0;
  FILETIME Created = {};
  FILETIME LastAccess = {};
  FILETIME LastWrite = {};
  std::int64_t Size = 0;
  // The entry's name: as given, or as its folder stores it when the given one may be a
  // short name, so that the long name shows whatever short name found it.
  std::string Name;
};

// The facts of the file at the path, from the file system's attributes or from one
// FindFirstFileA; none when nothing is found or the entry is a folder. Whatever its dates, a
// file that is found exists. No handle to the file is opened, so a file that another
// program holds open answers as well.
std::optional<TFileFacts> FindFileFacts(const std::string& path);

// The facts a directory search's entry holds; none for a folder, as FindFileFacts.
std::optional<TFileFacts> FactsOfEntry(const WIN32_FIND_DATAA& entry);

// True when the path names a file (not a folder) that exists.
inline bool FileExistsTest(const std::string& path) {
  return FindFileFacts(path).has_value();
}
