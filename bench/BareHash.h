#pragma once

#include "BareRead.h"

#include "CryptHandles.h"

// What hashing every file of a tree cannot do without: the bare read, with each piece handed
// to the system's SHA-256 provider and each file's digest finished.
class TBareHash : public TBareRead {
public:
  explicit TBareHash(std::uint32_t pieceSize);

protected:
  void Piece(const char* bytes, std::uint32_t count) override;
  void FileEnd() override;

private:
  TAlgorithm FAlgorithm;
  THash FHash;
};
