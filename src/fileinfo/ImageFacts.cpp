#include "ImageFacts.h"

#include "PeHeaders.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

// The CLR header's flags: IL only, 32-bit process required, and 32-bit process preferred
// (which Windows' headers name only in the .NET SDK's).
constexpr std::uint32_t ClrIlOnly = 0x1;
constexpr std::uint32_t Clr32BitRequired = 0x2;
constexpr std::uint32_t Clr32BitPreferred = 0x20000;
// A debug directory entry whose type says the time stamp is a hash of the build's inputs.
constexpr std::uint32_t DebugTypeRepro = 16;
constexpr std::size_t DebugEntrySize = 28;
// More debug entries than any linker writes: the rest of a corrupt directory is not read.
constexpr std::uint32_t MostDebugEntries = 64;

std::string MachineName(std::uint32_t machine) {
  switch (machine) {
  case IMAGE_FILE_MACHINE_I386:
    return "x86";
  case IMAGE_FILE_MACHINE_AMD64:
    return "x64";
  case IMAGE_FILE_MACHINE_ARM:
  case IMAGE_FILE_MACHINE_THUMB:
  case IMAGE_FILE_MACHINE_ARMNT:
    return "ARM";
  case IMAGE_FILE_MACHINE_ARM64:
    return "ARM64";
  case IMAGE_FILE_MACHINE_IA64:
    return "IA64";
  default:
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(machine));
    return hex;
  }
}

// The bytes a data directory points at, up to a limit; none when no section holds them.
std::optional<std::string> DirectoryBytes(const TPeHeaders& headers, std::size_t index,
                                          std::size_t limit) {
  const std::optional<TPeHeaders::TDirectory> directory = headers.Directory(index);
  if (!directory) {
    return std::nullopt;
  }
  const std::optional<std::uint64_t> offset = headers.FileOffsetOf(directory->Address);
  return offset ? headers.BytesAt(*offset, std::min<std::size_t>(directory->Size, limit))
                : std::nullopt;
}

// The flags of the image's CLR header; none for an image without one.
std::optional<std::uint32_t> ClrFlags(const TPeHeaders& headers) {
  // The flags follow the header's size, runtime version and metadata directory.
  constexpr std::size_t FlagsField = 16;
  const std::optional<std::string> clr =
      DirectoryBytes(headers, IMAGE_DIRECTORY_ENTRY_COM_DESCRIPTOR, FlagsField + 4);
  if (!clr) {
    return std::nullopt;
  }
  // A header too small to hold its flags is still a CLR header.
  return TPeHeaders::Number(*clr, FlagsField, 4);
}

bool IsReproducible(const TPeHeaders& headers) {
  const std::optional<std::string> entries =
      DirectoryBytes(headers, IMAGE_DIRECTORY_ENTRY_DEBUG, DebugEntrySize * MostDebugEntries);
  for (std::size_t at = 0; entries && at + DebugEntrySize <= entries->size();
       at += DebugEntrySize) {
    if (TPeHeaders::Number(*entries, at + 12, 4) == DebugTypeRepro) {
      return true;
    }
  }
  return false;
}

} // namespace

std::optional<TImageFacts> ReadImageFacts(const std::string& path,
                                          const std::optional<std::string>& head) {
  const std::optional<TPeHeaders> headers = head ? TPeHeaders::Read(path, *head) : std::nullopt;
  if (!headers) {
    return std::nullopt;
  }
  TImageFacts facts;
  facts.Machine = MachineName(headers->Machine());
  const std::optional<std::uint32_t> clr = ClrFlags(*headers);
  facts.DotNet = clr.has_value();
  // A .NET image of IL alone runs on any processor, unless it asks for a 32-bit process
  // without preferring one.
  if (clr && (*clr & ClrIlOnly) != 0) {
    if ((*clr & Clr32BitRequired) == 0) {
      facts.Machine = "AnyCPU";
    } else if ((*clr & Clr32BitPreferred) != 0) {
      facts.Machine = "AnyCPU32";
    }
  }
  if (headers->TimeDateStamp() != 0 && !IsReproducible(*headers)) {
    facts.LinkTime = headers->TimeDateStamp();
  }
  facts.Subsystem = headers->Subsystem();
  return facts;
}

std::string SubsystemName(std::uint16_t subsystem) {
  switch (subsystem) {
  case IMAGE_SUBSYSTEM_NATIVE:
    return "Native";
  case IMAGE_SUBSYSTEM_WINDOWS_GUI:
    return "GUI";
  case IMAGE_SUBSYSTEM_WINDOWS_CUI:
    return "Console";
  case IMAGE_SUBSYSTEM_WINDOWS_CE_GUI:
    return "Windows CE GUI";
  case IMAGE_SUBSYSTEM_EFI_APPLICATION:
    return "EFI application";
  case IMAGE_SUBSYSTEM_EFI_BOOT_SERVICE_DRIVER:
    return "EFI boot driver";
  case IMAGE_SUBSYSTEM_EFI_RUNTIME_DRIVER:
    return "EFI runtime driver";
  case IMAGE_SUBSYSTEM_EFI_ROM:
    return "EFI ROM";
  case IMAGE_SUBSYSTEM_XBOX:
    return "Xbox";
  case IMAGE_SUBSYSTEM_WINDOWS_BOOT_APPLICATION:
    return "Boot application";
  default:
    return std::to_string(subsystem);
  }
}
