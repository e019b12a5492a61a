#include "BareRead.h"

#include "FindEntries.h"

#include "UniqueHandle.h"

std::uint64_t TBareRead::Run(const std::string& folder) {
  return ReadFolder(folder + '\\');
}

std::uint64_t TBareRead::ReadFolder(const std::string& folder) {
  std::uint64_t bytes = 0;
  ForEachEntry((folder + '*').c_str(), [&](const WIN32_FIND_DATAA& entry) {
    if (IsWalkedSubfolder(entry)) {
      bytes += ReadFolder(folder + entry.cFileName + '\\');
    } else if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      bytes += ReadFile(folder + entry.cFileName);
    }
  });
  return bytes;
}

std::uint64_t TBareRead::ReadFile(const std::string& path) {
  // Opened as the search opens its files.
  const TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  std::uint64_t bytes = 0;
  DWORD read = 0;
  while (file &&
         ::ReadFile(file.get(), FPiece.data(), static_cast<DWORD>(FPiece.size()), &read, nullptr) &&
         read > 0) {
    Piece(FPiece.data(), read);
    bytes += read;
  }
  FileEnd();
  return bytes;
}
