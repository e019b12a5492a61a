#pragma once

#include "CryptHandles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

enum class TDigestKind {
  Sha256,
  Sha1,
  Md5,
  // The image digest that signatures, catalogs and application control use: SHA-256 over
  // the file without the check sum field, the certificate table's directory entry and the
  // certificate table itself.
  AuthenticodeSha256,
};

// The digests of files, read once for all of them in pieces of fixed size, with the system's
// hash provider.
class TFileDigests {
public:
  explicit TFileDigests(std::vector<TDigestKind> kinds);

  struct TResult {
    // In lower-case hex, in the order of the kinds; all empty when the file could not be
    // read, and the image digest empty for a file that is not a PE image.
    std::vector<std::string> Hex;
    // The system's error code when the file could not be read; 0 otherwise.
    DWORD Error = 0;
  };
  TResult Of(const std::string& path);

  static constexpr std::size_t PieceSize = 1 << 20;

private:
  std::vector<TDigestKind> FKinds;
  std::vector<TAlgorithm> FAlgorithms;
  std::vector<char> FPiece;
};
