#include "FileExists.h"

#include "framework/win/UniqueHandle.h"

std::optional<TFileFacts> FindFileFacts(const std::string& path) {
  // A name cannot hold a wildcard; a pattern would "find" whatever file matches it first.
  if (path.find_first_of("*?") != std::string::npos) {
    return std::nullopt;
  }
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
  facts.Size =
      static_cast<std::int64_t>((std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow);
  facts.Name = entry.cFileName;
  return facts;
}
