#pragma once

#include "FileGrepTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class TReportFormat { Report, Csv, Json };

// What asks for a field of CSV and JSON: every run, or an option.
enum class TFieldGroup { Always, Signatures, Sha256, Sha1, Md5, AuthenticodeSha256 };

// One date bound of the command line: which of the six it is and its local date-time. A
// bound on a whole day ends with the next day's first moment, which it leaves out.
struct TDateBoundOption {
  TLookFor Bound;
  TDateTime Value;
  bool Exclusive = false;
};

// What the command line asks for.
struct TReportOptions {
  std::vector<std::string> Folders;
  std::string Masks = "*.*";
  bool Recurse = false;
  TReportFormat Format = TReportFormat::Report;
  // Standard output when empty.
  std::string Output;
  // The field the rows are sorted by, in the order the walk found them when none.
  std::optional<std::size_t> SortField;
  bool Descending = false;
  TFileGrepAttributes Attributes{fmAnyfile};
  std::vector<TDateBoundOption> DateBounds;
  std::string Content;
  bool CaseSensitive = false;
  bool Quiet = false;
  // Also name the folders the walk leaves out by its rule.
  bool Verbose = false;
  // Only files whose fixed file version is below, or at least, these numbers.
  std::optional<std::vector<std::uint32_t>> VersionBelow;
  std::optional<std::vector<std::uint32_t>> VersionAtLeast;
  // The optional fields asked for: signatures and digests.
  std::vector<TFieldGroup> FieldGroups;
  // End with its own status when a program image listed is not validly signed.
  bool RequireSigned = false;
  // An earlier run's JSON Lines to write the differences from, and the fields (indexes of
  // the report's fields) not to compare.
  std::string Compare;
  std::vector<std::size_t> Ignored;
};
