#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What a PE image's headers tell an audit.
struct TImageFacts {
  // The processor the image is built for: "x86", "x64", "ARM", "ARM64", "IA64", or another
  // machine value in hex ("0x01C2"); "AnyCPU" for a .NET image of IL alone, "AnyCPU32" for one
  // that prefers a 32-bit process.
  std::string Machine;
  // The file header's time stamp, seconds since 1970 in UTC; none when it is zero, or when
  // the debug directory says the build is reproducible: then the field holds a hash.
  std::optional<std::uint32_t> LinkTime;
  // The optional header's subsystem; 0 when the header is too short to hold it.
  std::uint16_t Subsystem = 0;
  // The image has a CLR header.
  bool DotNet = false;
};

// The facts of the image; none for a file that is not a PE image. The head is the file's
// first bytes; what lies beyond them is read from the file.
std::optional<TImageFacts> ReadImageFacts(const std::string& path,
                                          const std::optional<std::string>& head);

// The subsystem in words: "GUI", "Console", "Native", "EFI application" and so on; another
// value as its number.
std::string SubsystemName(std::uint16_t subsystem);
