#include "ImageMachine.h"

#include "FileHead.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

// The signature and the machine field that open the PE header.
constexpr std::size_t SignatureAndMachine = 6;
constexpr std::size_t HeaderOffsetField = 0x3C;
// The CLR header's flags: IL only, 32-bit process required, and 32-bit process preferred
// (which Windows' headers name only in the .NET SDK's).
constexpr std::uint32_t ClrIlOnly = 0x1;
constexpr std::uint32_t Clr32BitRequired = 0x2;
constexpr std::uint32_t Clr32BitPreferred = 0x20000;

std::uint32_t LittleEndian(std::string_view bytes) {
  std::uint32_t value = 0;
  for (std::size_t index = bytes.size(); index-- > 0;) {
    value = (value << 8) | static_cast<unsigned char>(bytes[index]);
  }
  return value;
}

std::optional<std::string> ReadAt(const std::string& path, std::uint32_t offset,
                                  std::size_t count) {
  const TFileHandle file = OpenForReading(path);
  OVERLAPPED at = {};
  at.Offset = offset;
  std::string bytes(count, '\0');
  DWORD read = 0;
  if (!file || !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(count), &read, &at) ||
      read != count) {
    return std::nullopt;
  }
  return bytes;
}

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

// The bytes at the offset: from the head where it holds them, else read from the file.
std::optional<std::string> BytesAt(const std::string& path, const std::string& head,
                                   std::uint64_t offset, std::size_t count) {
  if (offset + count <= head.size()) {
    return head.substr(static_cast<std::size_t>(offset), count);
  }
  return offset <= UINT32_MAX ? ReadAt(path, static_cast<std::uint32_t>(offset), count)
                              : std::nullopt;
}

// The flags of the image's CLR header, found through the optional header's fifteenth data
// directory and the section that holds its address; none for an image without one.
std::optional<std::uint32_t> ClrFlags(const std::string& path, const std::string& head,
                                      std::uint32_t peOffset) {
  constexpr std::size_t FileHeaderSize = 20;
  constexpr std::size_t SectionSize = 40;
  const std::uint64_t fileHeader = std::uint64_t{peOffset} + 4;
  const std::optional<std::string> header = BytesAt(path, head, fileHeader, FileHeaderSize + 2);
  if (!header) {
    return std::nullopt;
  }
  const std::string_view fields(*header);
  const std::uint32_t sections = LittleEndian(fields.substr(2, 2));
  const std::uint32_t optionalSize = LittleEndian(fields.substr(16, 2));
  const std::uint32_t magic = LittleEndian(fields.substr(20, 2));
  // Where the data directories begin, and how many there are, in PE32 and PE32+ images.
  const std::uint32_t directories = magic == 0x20B ? 112 : magic == 0x10B ? 96 : 0;
  const std::uint64_t optional = fileHeader + FileHeaderSize;
  const std::uint32_t entry = directories + 8 * IMAGE_DIRECTORY_ENTRY_COM_DESCRIPTOR;
  if (directories == 0 || optionalSize < entry + 8) {
    return std::nullopt;
  }
  const std::optional<std::string> count = BytesAt(path, head, optional + directories - 4, 4);
  const std::optional<std::string> directory = BytesAt(path, head, optional + entry, 8);
  if (!count || !directory || LittleEndian(*count) <= IMAGE_DIRECTORY_ENTRY_COM_DESCRIPTOR) {
    return std::nullopt;
  }
  const std::uint32_t address = LittleEndian(std::string_view(*directory).substr(0, 4));
  if (address == 0) {
    return std::nullopt;
  }
  const std::optional<std::string> table = BytesAt(
      path, head, optional + optionalSize, SectionSize * std::min<std::uint32_t>(sections, 96));
  for (std::size_t at = 0; table && at + SectionSize <= table->size(); at += SectionSize) {
    const std::string_view section = std::string_view(*table).substr(at, SectionSize);
    const std::uint32_t start = LittleEndian(section.substr(12, 4));
    const std::uint32_t size =
        std::max(LittleEndian(section.substr(8, 4)), LittleEndian(section.substr(16, 4)));
    if (address >= start && address - start < size) {
      // The flags follow the header's size, runtime version and metadata directory.
      const std::uint64_t flags =
          std::uint64_t{LittleEndian(section.substr(20, 4))} + (address - start) + 16;
      const std::optional<std::string> bytes = BytesAt(path, head, flags, 4);
      return bytes ? std::optional<std::uint32_t>(LittleEndian(*bytes)) : std::nullopt;
    }
  }
  return std::nullopt;
}

} // namespace

std::string ImageMachine(const std::string& path, const std::optional<std::string>& head) {
  if (!head || !head->starts_with("MZ") || head->size() < HeaderOffsetField + 4) {
    return {};
  }
  const std::uint32_t offset = LittleEndian(std::string_view(*head).substr(HeaderOffsetField, 4));
  std::optional<std::string> header;
  if (std::uint64_t{offset} + SignatureAndMachine <= head->size()) {
    header = head->substr(offset, SignatureAndMachine);
  } else {
    header = ReadAt(path, offset, SignatureAndMachine);
  }
  if (!header || !header->starts_with(std::string_view("PE\0\0", 4))) {
    return {};
  }
  // A .NET image of IL alone runs on any processor, unless it asks for a 32-bit process
  // without preferring one.
  if (const std::optional<std::uint32_t> clr = ClrFlags(path, *head, offset);
      clr && (*clr & ClrIlOnly) != 0) {
    if ((*clr & Clr32BitRequired) == 0) {
      return "AnyCPU";
    }
    if ((*clr & Clr32BitPreferred) != 0) {
      return "AnyCPU32";
    }
  }
  return MachineName(LittleEndian(std::string_view(*header).substr(4, 2)));
}
