#include "FileHead.h"

#include <windows.h>

std::optional<std::string> ReadFileHead(const std::string& path) {
  const TFileHandle file = OpenForReading(path);
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

TFileHeadRead ReadFileHeadAndError(const std::string& path) {
  TFileHeadRead read;
  read.Head = ReadFileHead(path);
  if (!read.Head) {
    const DWORD error = GetLastError();
    read.Error = error != ERROR_SUCCESS ? error : ERROR_READ_FAULT;
  }
  return read;
}

bool HeadIsReadFor(const WIN32_FIND_DATAA& entry) {
  const std::uint64_t size = (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow;
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         HeadIsRead(static_cast<std::int64_t>(size));
}

bool MayHoldVersionResource(std::string_view head) {
  return head.starts_with("MZ") || head.starts_with("SZDD");
}
