#include "BrowsePaths.h"

#include "FileAttributes.h"
#include "Paths.h"
#include "ShellBuffer.h"
#include "UniqueHandle.h"

namespace {

bool IsDriveRoot(const std::string& path) {
  return path.size() == 3 && path[1] == ':' && path[2] == '\\';
}

bool DriveExists(char letter) {
  const char upper =
      letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
  if (upper < 'A' || upper > 'Z') {
    return false;
  }
  return (GetLogicalDrives() & (DWORD{1} << (upper - 'A'))) != 0;
}

bool IsVisibleEntry(const WIN32_FIND_DATAA& entry) {
  return (entry.dwFileAttributes &
          (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FileAttributeVolumeLabel)) == 0;
}

} // namespace

bool IsExistingDirectory(const std::string& path) {
  const TErrorModeScope errorMode(SEM_FAILCRITICALERRORS);
  if (IsDriveRoot(path)) {
    return DriveExists(path[0]);
  }
  // FindFirstFileA would take these as a pattern and answer whatever matches it.
  if (path.find_first_of("*?") != std::string::npos) {
    return false;
  }
  const std::string searched = EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
  WIN32_FIND_DATAA entry;
  const TFindHandle search(FindFirstFileA(searched.c_str(), &entry));
  if (!search) {
    return false;
  }
  while (!IsVisibleEntry(entry)) {
    if (!FindNextFileA(search.get(), &entry)) {
      return false;
    }
  }
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string DialogPathText(const std::string& path) {
  if (path == "\\" || IsDriveRoot(path)) {
    return path;
  }
  if (path.size() == 2 && path[1] == ':') {
    return path + "\\";
  }
  if (EndsWithBackslash(path)) {
    return path.substr(0, path.size() - 1);
  }
  return path;
}

std::optional<std::string> FileSystemPath(LPCITEMIDLIST list) {
  const TShellBuffer buffer = TShellBuffer::Allocate(MAX_PATH);
  if (!buffer || list == nullptr || !SHGetPathFromIDListA(list, buffer.get())) {
    return std::nullopt;
  }
  buffer.get()[MAX_PATH - 1] = '\0';
  return std::string(buffer.get());
}
