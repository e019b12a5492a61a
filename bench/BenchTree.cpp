#include "BenchTree.h"

#include "UniqueHandle.h"

#include <array>
#include <stdexcept>

namespace {

// Folders per folder at each depth below the root.
constexpr std::array<int, 3> FanOuts = {10, 9, 10};
constexpr int FilesPerFolder = 50;

const char* ExtensionOf(int file) {
  static const char* const others[] = {".txt", ".dat", ".log", ".ini", ".bin"};
  switch (file % 20) {
  case 3:
    return ".dll";
  case 13:
    return ".exe";
  default:
    return others[file % 5];
  }
}

} // namespace

TBenchTree::TBenchTree() {
  FillFolder(Root(), 0);
}

int TBenchTree::FileCount() const {
  int count = 0;
  for (const auto& [extension, files] : FFilesByExtension) {
    count += files;
  }
  return count;
}

int TBenchTree::FileCount(const std::string& extension) const {
  const auto found = FFilesByExtension.find(extension);
  return found == FFilesByExtension.end() ? 0 : found->second;
}

void TBenchTree::FillFolder(const std::string& folder, std::size_t level) {
  if (level == FanOuts.size()) {
    return;
  }
  for (int n = 0; n < FanOuts[level]; ++n) {
    const std::string subfolder = folder + "\\folder" + std::to_string(n);
    if (!CreateDirectoryA(subfolder.c_str(), nullptr)) {
      throw std::runtime_error("Cannot create folder " + subfolder);
    }
    ++FFolderCount;
    for (int file = 0; file < FilesPerFolder; ++file) {
      const char* extension = ExtensionOf(file);
      MakeFile(subfolder + "\\file" + std::to_string(file) + extension, FFolderCount + file);
      ++FFilesByExtension[extension];
    }
    FillFolder(subfolder, level + 1);
  }
}

void TBenchTree::MakeFile(const std::string& path, int number) {
  // One file in twenty-five empty, the others from 1 KB to 4 KB.
  static const std::string content(4096, 'q');
  const DWORD size = number % 25 == 0 ? 0 : 1024 + static_cast<DWORD>(number * 97 % 3072);
  const TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file || !WriteFile(file.get(), content.data(), size, &written, nullptr)) {
    throw std::runtime_error("Cannot create file " + path);
  }
}
