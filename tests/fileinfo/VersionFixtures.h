#pragma once

#include "support/TempTree.h"

#include "DateTime.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// A block of a version resource as a test writes it. Text values are stored with their NUL
// (as wide characters in the 32-bit layout); a length may be forced to make a broken block.
struct TVersionBlock {
  std::string Key{};
  std::string Value{};
  bool Text = false;
  std::vector<TVersionBlock> Children{};
  std::optional<WORD> Length{};
};

// The block in the 32-bit layout (wide keys) or the 16-bit one (ANSI keys).
std::string EncodeBlock(const TVersionBlock& block, bool wide = true);
TVersionBlock TextValue(const std::string& key, const std::string& text);
TVersionBlock Translation(WORD language, WORD codePage);
// A version resource with the fixed part, or without one, and the given children.
TVersionBlock VersionRoot(const std::optional<VS_FIXEDFILEINFO>& fixed,
                          std::vector<TVersionBlock> children);
VS_FIXEDFILEINFO FixedPart(DWORD flags, DWORD fileOs, DWORD type, DWORD subtype);

// A copy, under the tree, of a fixture PE file built beside the test program; answers its
// path.
std::string CopyFixture(const TTempTree& tree, const std::string& fixture, const std::string& name);
// Replaces every resource of the PE file with a version resource of these bytes.
void WriteVersionResource(const std::string& path, const std::string& bytes);

// The file time (UTC) of a local time, and its date-time value.
FILETIME LocalFileTime(const TDateTimeParts& local);
TDateTime DateTimeOf(const TDateTimeParts& parts);
void SetFileTimes(const std::string& path, const FILETIME& created, const FILETIME& accessed,
                  const FILETIME& written);
