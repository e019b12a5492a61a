#include "FileExists.h"

#include "framework/win/UniqueHandle.h"

std::optional<TFileFacts> FindFileFacts(const std::string& path) {
  WIN32_FIND_DATAA entry;
  {
    const TFindHandle find(FindFirstFileA(path.c_str(), &entry));
    if (!find) {
      return std::nullopt;
    }
  }
  if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  TFileFacts facts;
  facts.Attributes = entry.dwFileAttributes;
  facts.Created = entry.ftCreationTime;
  facts.LastAccess = entry.ftLastAccessTime;
  facts.LastWrite = entry.ftLastWriteTime;
  facts.Size = static_cast<std::int64_t>((std::uint64_t{entry.nFileSizeHigh} << 32) |
                                         entry.nFileSizeLow);
  return facts;
}
