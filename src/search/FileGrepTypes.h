#pragma once

#include "DateTime.h"
#include "Set.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

enum TFileGrepAttribute { fmReadOnly, fmArchive, fmAnyfile, fmSystem, fmHidden };
using TFileGrepAttributes = TSet<TFileGrepAttribute>;

// The fields a found record is made of.
enum TReturnValue {
  rvDir,
  rvFilename,
  rvAttr,
  rvSize,
  rvCreateDate,
  rvLastAccessDate,
  rvLastModifiedDate
};
using TReturnValues = TSet<TReturnValue>;

// Which of the six date bounds apply; ordinal i stands for bound i.
enum TLookFor {
  lfCreateAfter,
  lfCreateBefore,
  lfAccessedAfter,
  lfAccessedBefore,
  lfModifiedAfter,
  lfModifiedBefore
};
using TLookFors = TSet<TLookFor>;

constexpr int DateBoundCount = 6;

// What a run takes from the component when it begins; later changes do not reach it.
struct TSearchParameters {
  std::string Dirs;
  std::string FileMasks;
  std::string Content;
  bool CaseSensitiveContent = true;
  DWORD AttributeMask = 0;
  std::array<TDateTime, DateBoundCount> DateBounds = {};
  std::int32_t MaxSize = 0;
  std::int32_t MinSize = 0;
  bool RecurseSubDirs = true;
  // Dirs names one folder, ";" and all, instead of a list.
  bool DirsIsOneFolder = false;
};
