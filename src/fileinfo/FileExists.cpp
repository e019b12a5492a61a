#include "FileExists.h"

#include "Paths.h"
#include "UniqueHandle.h"

namespace {

TFileFacts FactsOf(DWORD attributes, const FILETIME& created, const FILETIME& lastAccess,
                   const FILETIME& lastWrite, DWORD sizeHigh, DWORD sizeLow, std::string name) {
  TFileFacts facts;
  facts.Attributes = attributes;
  facts.Created = created;
  facts.LastAccess = lastAccess;
  facts.LastWrite = lastWrite;
  facts.Size = static_cast<std::int64_t>((std::uint64_t{sizeHigh} << 32) | sizeLow);
  facts.Name = std::move(name);
  return facts;
}

// What the file system keeps of the file, without a directory search: under Wine some
// twenty times cheaper. Only for a name that cannot be a short one ("~"), since the
// folder's own spelling of a short name takes a search; and only where the system answers
// (it does not for a file in use as a paging file).
std::optional<TFileFacts> AttributeFacts(const std::string& path) {
  std::string name = ExtractFileName(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (name.find('~') != std::string::npos ||
      !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  return FactsOf(data.dwFileAttributes, data.ftCreationTime, data.ftLastAccessTime,
                 data.ftLastWriteTime, data.nFileSizeHigh, data.nFileSizeLow, std::move(name));
}

std::optional<TFileFacts> SearchFacts(const std::string& path) {
  WIN32_FIND_DATAA entry;
  {
    const TFindHandle find(FindFirstFileA(path.c_str(), &entry));
    if (!find) {
      return std::nullopt;
    }
  }
  return FactsOf(entry.dwFileAttributes, entry.ftCreationTime, entry.ftLastAccessTime,
                 entry.ftLastWriteTime, entry.nFileSizeHigh, entry.nFileSizeLow, entry.cFileName);
}

} // namespace

std::optional<TFileFacts> FactsOfEntry(const WIN32_FIND_DATAA& entry) {
  if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return FactsOf(entry.dwFileAttributes, entry.ftCreationTime, entry.ftLastAccessTime,
                 entry.ftLastWriteTime, entry.nFileSizeHigh, entry.nFileSizeLow, entry.cFileName);
}

std::optional<TFileFacts> FindFileFacts(const std::string& path) {
  // A name cannot hold a wildcard; a pattern would "find" whatever file matches it first.
  if (path.find_first_of("*?") != std::string::npos) {
    return std::nullopt;
  }
  std::optional<TFileFacts> facts = AttributeFacts(path);
  if (!facts) {
    facts = SearchFacts(path);
  }
  if (facts && (facts->Attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return facts;
}
