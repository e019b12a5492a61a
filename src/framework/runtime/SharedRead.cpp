#include "SharedRead.h"

TFileHandle OpenForReading(const std::string& path, DWORD flags) {
  return TFileHandle(CreateFileA(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, flags, nullptr));
}
