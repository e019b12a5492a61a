#pragma once

#include <cstdint>
#include <string>

// A PE image's bytes, to be changed at places its headers name and written as a new file.
class TImageBytes {
public:
  explicit TImageBytes(const std::string& path);

  std::uint32_t Number(std::size_t at, std::size_t size) const;
  void Put(std::size_t at, std::uint32_t value);
  // Where a data directory's entry, the first section header, and the bytes of a loaded
  // image's address stand in the file.
  std::uint32_t DirectoryEntry(std::size_t index) const;
  std::uint32_t FirstSection() const;
  std::uint32_t FileOffsetOf(std::uint32_t address) const;
  void Write(const std::string& path) const;

private:
  std::uint32_t OptionalHeader() const { return Number(0x3C, 4) + 24; }
  std::string FBytes;
};
