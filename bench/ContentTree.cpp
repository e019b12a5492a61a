#include "ContentTree.h"

#include "UniqueHandle.h"

#include <winioctl.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

constexpr int Folders = 18;
// Each folder holds one file of each size: piece-sized neighbours among them.
constexpr std::uint64_t Sizes[] = {0,     100,   1024,   4096,    10000,   65535,
                                   65536, 65537, 200000, 1 << 20, 3 << 20, 8 << 20};
constexpr std::uint64_t BigFileSize = (std::uint64_t{2} << 30) + 4096;
constexpr std::size_t WriteSize = 1 << 20;

// Letters roughly as often as in English text, with blanks, line ends and a few capitals.
constexpr char TextBytes[] = "eeeeeeeeeeeetttttttttaaaaaaaaooooooooiiiiiiinnnnnnnssssss"
                             "hhhhhhrrrrrrddddllllcccuuummmwwffggyyppbbvkjxqz      "
                             "          ,.\r\nTIAS";

void WriteAll(HANDLE file, const char* bytes, std::size_t size, const std::string& path) {
  DWORD written = 0;
  if (!WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) || written != size) {
    throw std::runtime_error("Cannot write file " + path);
  }
}

TFileHandle CreateNew(const std::string& path) {
  TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    throw std::runtime_error("Cannot create file " + path);
  }
  return file;
}

} // namespace

TContentTree::TContentTree(const std::string& needle) : FNeedle(needle) {
  const std::uint64_t largest = *std::max_element(std::begin(Sizes), std::end(Sizes));
  for (int folder = 0; folder < Folders; ++folder) {
    const std::string path = Root() + "\\folder" + std::to_string(folder);
    if (!CreateDirectoryA(path.c_str(), nullptr)) {
      throw std::runtime_error("Cannot create folder " + path);
    }
    int file = 0;
    for (const std::uint64_t size : Sizes) {
      MakeTextFile(path + "\\file" + std::to_string(file++) + ".txt", size, size == largest);
    }
  }
  MakeBigFile(Root() + "\\big.bin", BigFileSize);
}

void TContentTree::MakeTextFile(const std::string& path, std::uint64_t size, bool withNeedle) {
  const TFileHandle file = CreateNew(path);
  std::vector<char> chunk(WriteSize);
  for (std::uint64_t left = size; left > 0;) {
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(left, WriteSize));
    for (std::size_t i = 0; i < count; ++i) {
      FRandom = FRandom * 1103515245 + 12345;
      chunk[i] = TextBytes[(FRandom >> 16) % (sizeof TextBytes - 1)];
    }
    if (withNeedle && left == count) {
      std::copy(FNeedle.begin(), FNeedle.end(), chunk.begin() + (count - FNeedle.size()));
    }
    WriteAll(file.get(), chunk.data(), count, path);
    left -= count;
  }
  // On the disk before the timing starts, so that no write-back runs beside it.
  FlushFileBuffers(file.get());
  ++FFileCount;
  FBytes += size;
  FNeedleCount += withNeedle;
}

void TContentTree::MakeBigFile(const std::string& path, std::uint64_t size) {
  const TFileHandle file = CreateNew(path);
  DWORD returned = 0;
  // Where sparse files are not supported the file is simply extended.
  DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(size - FNeedle.size());
  if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) {
    throw std::runtime_error("Cannot extend file " + path);
  }
  WriteAll(file.get(), FNeedle.data(), FNeedle.size(), path);
  ++FFileCount;
  FBytes += size;
  ++FNeedleCount;
}
