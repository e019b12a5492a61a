#pragma once

#include "UniqueHandle.h"

#include <string>

// Whether the file exists and is read-only, hidden or system: one a stream never replaces.
bool IsProtectedFile(const std::string& fileName);

// A file created anew (or truncated), open for reading and writing and shared with nobody,
// for the bytes written to it.
class TFileStream {
public:
  // Raises EFCreateError when the file cannot be created.
  explicit TFileStream(const std::string& fileName);

  // Writes all the bytes or raises EWriteError; what was written stays.
  void WriteBuffer(const void* data, std::size_t size);

private:
  TFileHandle FHandle;
};
