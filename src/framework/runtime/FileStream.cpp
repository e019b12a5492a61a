#include "FileStream.h"

#include "Exceptions.h"

// Windows refuses to replace a read-only, hidden or system file by creating it anew. Wine may
// not (run by root, or on a file system that keeps no such attributes), so the refusal is
// made here as well: such a file is never lost to a report.
bool IsProtectedFile(const std::string& fileName) {
  const DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) !=
             0;
}

namespace {

HANDLE CreateReplacing(const std::string& fileName) {
  if (IsProtectedFile(fileName)) {
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

TFileStream::TFileStream(const std::string& fileName) : FHandle(CreateReplacing(fileName)) {
  if (!FHandle) {
    throw EFCreateError(fileName);
  }
}

void TFileStream::WriteBuffer(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(FHandle.get(), bytes, chunk, &written, nullptr) || written == 0) {
      throw EWriteError();
    }
    bytes += written;
    size -= written;
  }
}
