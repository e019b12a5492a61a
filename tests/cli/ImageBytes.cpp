#include "ImageBytes.h"

#include "QuilletProcess.h"

#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <cstring>

TImageBytes::TImageBytes(const std::string& path) : FBytes(FileBytes(path)) {}

std::uint32_t TImageBytes::Number(std::size_t at, std::size_t size) const {
  std::uint32_t value = 0;
  std::memcpy(&value, FBytes.data() + at, size);
  return value;
}

void TImageBytes::Put(std::size_t at, std::uint32_t value) {
  std::memcpy(FBytes.data() + at, &value, 4);
}

std::uint32_t TImageBytes::DirectoryEntry(std::size_t index) const {
  const std::uint32_t optional = OptionalHeader();
  return optional + (Number(optional, 2) == 0x20B ? 112 : 96) +
         static_cast<std::uint32_t>(index) * 8;
}

std::uint32_t TImageBytes::FirstSection() const {
  return OptionalHeader() + Number(OptionalHeader() - 4, 2);
}

std::uint32_t TImageBytes::FileOffsetOf(std::uint32_t address) const {
  const std::uint32_t sections = Number(OptionalHeader() - 18, 2);
  for (std::uint32_t section = FirstSection(); section < FirstSection() + 40 * sections;
       section += 40) {
    const std::uint32_t start = Number(section + 12, 4);
    if (address >= start && address - start < Number(section + 8, 4)) {
      return Number(section + 20, 4) + (address - start);
    }
  }
  ADD_FAILURE() << "no section holds address " << address;
  return 0;
}

void TImageBytes::Write(const std::string& path) const {
  const TFileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  ASSERT_TRUE(
      WriteFile(file.get(), FBytes.data(), static_cast<DWORD>(FBytes.size()), &written, nullptr));
}
