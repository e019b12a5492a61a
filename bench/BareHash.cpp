#include "BareHash.h"

#include <stdexcept>

namespace {

THash NewHash(const TAlgorithm& algorithm) {
  THash hash;
  if (!BCRYPT_SUCCESS(BCryptCreateHash(algorithm.get(), hash.put(), nullptr, 0, nullptr, 0, 0))) {
    throw std::runtime_error("BCryptCreateHash failed");
  }
  return hash;
}

} // namespace

TBareHash::TBareHash(std::uint32_t pieceSize) : TBareRead(pieceSize) {
  if (!BCRYPT_SUCCESS(
          BCryptOpenAlgorithmProvider(FAlgorithm.put(), BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
    throw std::runtime_error("BCryptOpenAlgorithmProvider failed");
  }
  FHash = NewHash(FAlgorithm);
}

void TBareHash::Piece(const char* bytes, std::uint32_t count) {
  BCryptHashData(FHash.get(), reinterpret_cast<PUCHAR>(const_cast<char*>(bytes)), count, 0);
}

void TBareHash::FileEnd() {
  UCHAR digest[32];
  BCryptFinishHash(FHash.get(), digest, sizeof digest, 0);
  FHash = NewHash(FAlgorithm);
}
