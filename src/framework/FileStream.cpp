#include "FileStream.h"

#include "Exceptions.h"

TFileStream::TFileStream(const std::string& fileName)
    : FHandle(CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {
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
