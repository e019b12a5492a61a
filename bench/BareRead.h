#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a content search cannot do without: walking the tree and reading every file in
// pieces of the search's size, looking at no byte.
class TBareRead {
public:
  explicit TBareRead(std::uint32_t pieceSize) : FPiece(pieceSize) {}
  virtual ~TBareRead() = default;

  // Reads every file below the folder; answers the bytes read.
  std::uint64_t Run(const std::string& folder);

protected:
  // What a loop that looks at the bytes does with each file's pieces, and at its end.
  virtual void Piece(const char* /*bytes*/, std::uint32_t /*count*/) {}
  virtual void FileEnd() {}

private:
  std::uint64_t ReadFolder(const std::string& folder);
  std::uint64_t ReadFile(const std::string& path);

  std::vector<char> FPiece;
};
