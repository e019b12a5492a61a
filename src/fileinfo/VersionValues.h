#pragma once

#include "VersionBuffer.h"
#include "VersionInfo.h"

#include <optional>
#include <span>
#include <string>
#include <utility>

// What a retrieval shows of a version block, written into the cleared values
// (VersionInfoStrings.cpp and VersionInfoFixed.cpp).

// A string value and the output it goes to, in the order they are read.
struct TVersionStringKey {
  const char* Key;
  std::string TVersionInfoValues::*Target;
};
std::span<const TVersionStringKey> VersionStringKeys();

// The string table a retrieval reads, and the language that `Language` names.
struct TStringTable {
  std::string Key;
  std::optional<WORD> Language;
};
// The table the first translation entry names (US English with code page 1252 without one)
// when the system finds it; else one in the translation's language, one in its primary
// language, or the first there is, in that order of preference.
TStringTable ChooseStringTable(const TVersionBuffer& buffer,
                               const std::optional<std::pair<WORD, WORD>>& translation);

// The string table's values and the language it is in.
void ReadVersionStrings(TVersionBuffer& buffer, TVersionInfoValues& values);
// The flags, system, type and subtype of the fixed part.
void ReadFixedPart(TVersionBuffer& buffer, TVersionInfoValues& values);
