#include "PeHeaders.h"

#include "SharedRead.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr std::size_t HeaderOffsetField = 0x3C;
constexpr std::size_t FileHeaderSize = 20;
constexpr std::size_t SectionSize = 40;
// The loader takes no more sections, and no optional header larger than a page.
constexpr std::uint32_t MostSections = 96;
constexpr std::uint32_t MostOptionalSize = 4096;
constexpr std::size_t Pe32Directories = 96;
constexpr std::size_t Pe32PlusDirectories = 112;

std::optional<std::string> ReadAt(const TFileHandle& file, std::uint64_t offset,
                                  std::size_t count) {
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  std::string bytes(count, '\0');
  DWORD read = 0;
  if (!file || !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(count), &read, &at) ||
      read != count) {
    return std::nullopt;
  }
  return bytes;
}

} // namespace

std::uint32_t TPeHeaders::Number(std::string_view bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t index = std::min(at + size, bytes.size()); index-- > at;) {
    value = (value << 8) | static_cast<unsigned char>(bytes[index]);
  }
  return value;
}

std::optional<TPeHeaders> TPeHeaders::Read(const std::string& path, const std::string& head) {
  if (!head.starts_with("MZ") || head.size() < HeaderOffsetField + 4) {
    return std::nullopt;
  }
  TPeHeaders headers(path, head);
  const std::uint32_t peOffset = Number(head, HeaderOffsetField, 4);
  const std::optional<std::string> signature = headers.BytesAt(peOffset, 4 + FileHeaderSize);
  if (!signature || !signature->starts_with(std::string_view("PE\0\0", 4))) {
    return std::nullopt;
  }
  headers.FFileHeader = signature->substr(4);
  headers.FOptionalOffset = std::uint64_t{peOffset} + 4 + FileHeaderSize;
  const std::uint32_t optionalSize = std::min(Number(headers.FFileHeader, 16, 2), MostOptionalSize);
  headers.FOptional = headers.BytesAt(headers.FOptionalOffset, optionalSize).value_or("");
  const std::uint32_t sections = std::min(Number(headers.FFileHeader, 2, 2), MostSections);
  headers.FSections = headers
                          .BytesAt(headers.FOptionalOffset + Number(headers.FFileHeader, 16, 2),
                                   SectionSize * sections)
                          .value_or("");
  return headers;
}

std::optional<std::uint64_t> TPeHeaders::CheckSumOffset() const {
  constexpr std::size_t CheckSumField = 64;
  if (FOptional.size() < CheckSumField + 4) {
    return std::nullopt;
  }
  return FOptionalOffset + CheckSumField;
}

std::optional<std::uint64_t> TPeHeaders::DirectoryEntryOffset(std::size_t index) const {
  const std::uint32_t magic = Number(FOptional, 0, 2);
  const std::size_t directories = magic == 0x20B   ? Pe32PlusDirectories
                                  : magic == 0x10B ? Pe32Directories
                                                   : 0;
  const std::size_t entry = directories + 8 * index;
  if (directories == 0 || FOptional.size() < entry + 8 ||
      Number(FOptional, directories - 4, 4) <= index) {
    return std::nullopt;
  }
  return FOptionalOffset + entry;
}

std::optional<TPeHeaders::TDirectory> TPeHeaders::Directory(std::size_t index) const {
  const std::optional<std::uint64_t> offset = DirectoryEntryOffset(index);
  if (!offset) {
    return std::nullopt;
  }
  const std::size_t at = static_cast<std::size_t>(*offset - FOptionalOffset);
  const TDirectory directory{Number(FOptional, at, 4), Number(FOptional, at + 4, 4)};
  return directory.Address != 0 ? std::optional(directory) : std::nullopt;
}

std::optional<std::uint64_t> TPeHeaders::FileOffsetOf(std::uint32_t address) const {
  for (std::size_t at = 0; at + SectionSize <= FSections.size(); at += SectionSize) {
    const std::string_view section = std::string_view(FSections).substr(at, SectionSize);
    const std::uint32_t start = Number(section, 12, 4);
    const std::uint32_t size = std::max(Number(section, 8, 4), Number(section, 16, 4));
    if (address >= start && address - start < size) {
      return std::uint64_t{Number(section, 20, 4)} + (address - start);
    }
  }
  return std::nullopt;
}

std::optional<std::string> TPeHeaders::BytesAt(std::uint64_t offset, std::size_t count) const {
  if (offset + count <= FHead.size()) {
    return FHead.substr(static_cast<std::size_t>(offset), count);
  }
  if (!FFile) {
    FFile = OpenForReading(FPath);
  }
  return ReadAt(FFile, offset, count);
}
