#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a content search cannot do without: walking the tree and reading every file in
// pieces of the search's size, looking at no byte.
class TBareRead {
public:
  explicit TBareRead(std::uint32_t pieceSize) : FPiece(pieceSize) {}

  // Reads every file below the folder; answers the bytes read.
  std::uint64_t Run(const std::string& folder);

private:
  std::uint64_t ReadFolder(const std::string& folder);
  std::uint64_t ReadFile(const std::string& path);

  std::vector<char> FPiece;
};
