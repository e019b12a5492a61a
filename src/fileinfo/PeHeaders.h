#pragma once

#include "UniqueHandle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The headers of a PE image: the file header, the optional header and the section table,
// taken from the file's first bytes where they hold them and read from the file otherwise.
class TPeHeaders {
public:
  // None for a file that is not a PE image.
  static std::optional<TPeHeaders> Read(const std::string& path, const std::string& head);

  std::uint16_t Machine() const { return Number(FFileHeader, 0, 2); }
  std::uint32_t TimeDateStamp() const { return Number(FFileHeader, 4, 4); }
  // 0 when the optional header is too short to hold it.
  std::uint16_t Subsystem() const { return Number(FOptional, 68, 2); }

  // Where the optional header's check sum field, and a data directory's entry, stand in the
  // file; none when the optional header does not hold them.
  std::optional<std::uint64_t> CheckSumOffset() const;
  std::optional<std::uint64_t> DirectoryEntryOffset(std::size_t index) const;
  // A data directory's address and size; none for an empty entry or one the image lacks.
  struct TDirectory {
    std::uint32_t Address;
    std::uint32_t Size;
  };
  std::optional<TDirectory> Directory(std::size_t index) const;
  // Where the section that holds an address of the loaded image keeps it in the file.
  std::optional<std::uint64_t> FileOffsetOf(std::uint32_t address) const;
  // The bytes at a file offset; none when the file ends before them or cannot be read.
  std::optional<std::string> BytesAt(std::uint64_t offset, std::size_t count) const;

  static std::uint32_t Number(std::string_view bytes, std::size_t at, std::size_t size);

private:
  TPeHeaders(std::string path, std::string head) : FPath(std::move(path)), FHead(std::move(head)) {}

  std::string FPath;
  std::string FHead;
  // Opened at the first read beyond the head, for all of them.
  mutable TFileHandle FFile;
  std::uint64_t FOptionalOffset = 0;
  std::string FFileHeader;
  std::string FOptional;
  std::string FSections;
};
