#pragma once

#include "UniqueHandle.h"

#include <string>

// The file opened for reading, shared as widely as the system's own readers share, so that a
// file open elsewhere for writing or deleting still gives its bytes. Every reader of files
// opens them so, so that a file is read by all of them or by none. Flags are CreateFileA's
// (FILE_FLAG_SEQUENTIAL_SCAN, say).
TFileHandle OpenForReading(const std::string& path, DWORD flags = 0);
