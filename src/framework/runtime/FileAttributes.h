#pragma once

#include <windows.h>

// The attribute bit that old DOS directory entries gave volume labels. The system headers
// no longer name it; no file or folder of today's file systems carries it.
constexpr DWORD FileAttributeVolumeLabel = 0x08;

// The six attribute bits of the DOS directory entry: read-only, hidden, system, volume
// label, directory and archive. A selection of all six lets every entry through.
constexpr DWORD DosFileAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                    FILE_ATTRIBUTE_SYSTEM | FileAttributeVolumeLabel |
                                    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE;
static_assert(DosFileAttributes == 0x3F);
