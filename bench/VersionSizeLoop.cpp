#include "VersionSizeLoop.h"

#include "FindEntries.h"
#include "Stopwatch.h"

#include <algorithm>

namespace {

void ListFolder(const std::string& folder, std::vector<std::string>& paths) {
  ForEachEntry((folder + "*.*").c_str(), [&](const WIN32_FIND_DATAA& entry) {
    if (!IsDotEntry(entry)) {
      paths.push_back(folder + entry.cFileName);
    }
  });
  ForEachEntry((folder + "*.*").c_str(), [&](const WIN32_FIND_DATAA& entry) {
    if (IsWalkedSubfolder(entry)) {
      ListFolder(folder + entry.cFileName + '\\', paths);
    }
  });
}

} // namespace

std::vector<std::string> ListedEntries(const std::string& folders) {
  std::vector<std::string> paths;
  std::string::size_type begin = 0;
  while (begin <= folders.size()) {
    const std::string::size_type end = std::min(folders.find(';', begin), folders.size());
    std::string folder = folders.substr(begin, end - begin);
    if (!folder.empty()) {
      ListFolder(folder.back() == '\\' ? folder : folder + '\\', paths);
    }
    begin = end + 1;
  }
  return paths;
}

TVersionSizeLoop VersionSizeLoop(const std::vector<std::string>& paths) {
  TVersionSizeLoop loop;
  loop.Seconds = SecondsOf([&] {
    for (const std::string& path : paths) {
      DWORD handle = 0;
      loop.Versioned += GetFileVersionInfoSizeA(path.c_str(), &handle) != 0 ? 1 : 0;
    }
  });
  return loop;
}
