#pragma once

#include "VersionInfo.h"

#include <string>

// What an audit of versions asks of a row's file besides its cells.
struct TAuditFields {
  // The fixed part's numbers, "a.b.c.d"; empty without a fixed part.
  std::string FileVersionNumber;
  std::string ProductVersionNumber;
  // The leading numbers of the FileVersion string differ from the fixed file version.
  bool VersionMismatch = false;
  // The processor of a PE image; empty for any other file.
  std::string Machine;
};

// The fields of the file the version reader read last.
TAuditFields AuditFieldsOf(const TVersionInfo& versions);

// Whether the numbers that lead the version string ("6.1.7601.17514 (win7sp1...)",
// "1, 2, 3, 4") differ from the fixed "a.b.c.d"; a string that starts with no number, or a
// file without a fixed part, has nothing to differ from. Numbers the string leaves out are
// not compared.
bool VersionNumbersDiffer(const std::string& versionString, const std::string& fixedNumbers);
