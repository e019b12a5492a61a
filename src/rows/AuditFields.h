#pragma once

#include "VersionInfo.h"

#include <cstdint>
#include <string>
#include <vector>

// What an audit of versions asks of a row's file besides its cells, in values that compare
// from one run, machine or season to the next.
struct TAuditFields {
  // The fixed part's numbers, "a.b.c.d"; empty without a fixed part.
  std::string FileVersionNumber;
  std::string ProductVersionNumber;
  // The version number the FileVersion string states differs from the fixed file version.
  bool VersionMismatch = false;
  // The processor of a PE image, or "AnyCPU" and "AnyCPU32" for .NET images that run on
  // any; empty for any other file.
  std::string Machine;
  // The file's full path.
  std::string Path;
  // The three times in UTC, ISO 8601 to the second with "Z"; empty when unknown.
  std::string CreatedUtc;
  std::string LastAccessUtc;
  std::string LastModifiedUtc;
  // Why the file's bytes could not be read; empty when everything was read.
  std::string ReadError;
  // A PE image's link time (ISO 8601 UTC; empty when the image holds none, or a hash in its
  // place), its subsystem in words, and whether it is a .NET image; empty for other files.
  std::string LinkTime;
  std::string Subsystem;
  bool DotNet = false;
  // The keys of the version resource's string tables: "040904B0;040704B0".
  std::string Languages;

  // Asked for on the command line: a program image's signature (see TSignatureFacts) and
  // the file's digests in lower-case hex; empty when not asked for or not known.
  std::string Signature;
  std::string SignatureSource;
  std::string Signer;
  std::string Issuer;
  std::string SignerThumbprint;
  std::string SigningTime;
  std::string Sha256;
  std::string Sha1;
  std::string Md5;
  std::string AuthenticodeSha256;
};

// The fields of the file the version reader read last.
TAuditFields AuditFieldsOf(const TVersionInfo& versions);

// The numbers of the version a person reads at the start of a version string: after a
// leading "v" or "Version ", numbers separated by "." or, in the "1, 2, 3, 4" form, by
// commas; up to the first other character. Leading zeros do not count ("02" is 2).
std::vector<std::uint32_t> StatedVersion(const std::string& text);

// Whether the version the string states differs from the fixed "a.b.c.d" in the numbers the
// string gives; a string that states none, or a file without a fixed part, has nothing to
// differ from.
bool VersionNumbersDiffer(const std::string& versionString, const std::string& fixedNumbers);

// A file time in UTC as ISO 8601 to the second: "2024-05-31T13:45:07Z"; empty for none.
std::string IsoUtcText(const FILETIME& time);
