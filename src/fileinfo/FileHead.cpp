#include "FileHead.h"

#include "UniqueHandle.h"

#include <windows.h>

std::optional<std::string> ReadFileHead(const std::string& path) {
  // Shared as widely as the system's own readers share, so that a file open elsewhere for
  // writing or deleting still gives its header.
  const TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    return std::nullopt;
  }
  std::string head(FileHeadSize, '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr)) {
    return std::nullopt;
  }
  head.resize(read);
  return head;
}

bool MayHoldVersionResource(std::string_view head) {
  return head.starts_with("MZ") || head.starts_with("SZDD");
}
