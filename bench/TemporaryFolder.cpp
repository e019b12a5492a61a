#include "TemporaryFolder.h"

#include "FindEntries.h"

#include <stdexcept>
#include <vector>

namespace {

void RemoveTree(const std::string& folder) {
  // Names are gathered first: removing entries under an open enumeration may make it skip.
  std::vector<WIN32_FIND_DATAA> entries;
  ForEachEntry((folder + "\\*").c_str(), [&entries](const WIN32_FIND_DATAA& entry) {
    if (!IsDotEntry(entry)) {
      entries.push_back(entry);
    }
  });
  for (const WIN32_FIND_DATAA& entry : entries) {
    const std::string path = folder + '\\' + entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      RemoveTree(path);
    } else {
      DeleteFileA(path.c_str());
    }
  }
  RemoveDirectoryA(folder.c_str());
}

} // namespace

TTemporaryFolder::TTemporaryFolder(const std::string& name) {
  char temp[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) {
    throw std::runtime_error("Cannot find the temporary folder");
  }
  FPath = std::string(temp, length) + name + '-' + std::to_string(GetCurrentProcessId());
  if (!CreateDirectoryA(FPath.c_str(), nullptr)) {
    throw std::runtime_error("Cannot create folder " + FPath);
  }
}

TTemporaryFolder::~TTemporaryFolder() {
  RemoveTree(FPath);
}
