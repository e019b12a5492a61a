#include "ImageMachine.h"

#include "FileHead.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace {

// The signature and the machine field that open the PE header.
constexpr std::size_t SignatureAndMachine = 6;
constexpr std::size_t HeaderOffsetField = 0x3C;

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
  return MachineName(LittleEndian(std::string_view(*header).substr(4, 2)));
}
