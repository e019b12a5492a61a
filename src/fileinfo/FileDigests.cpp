#include "FileDigests.h"

#include "PeHeaders.h"
#include "SharedRead.h"
#include "Strings.h"

#include <algorithm>
#include <stdexcept>

namespace {

const wchar_t* AlgorithmOf(TDigestKind kind) {
  switch (kind) {
  case TDigestKind::Sha1:
    return BCRYPT_SHA1_ALGORITHM;
  case TDigestKind::Md5:
    return BCRYPT_MD5_ALGORITHM;
  case TDigestKind::Sha256:
  case TDigestKind::AuthenticodeSha256:
    break;
  }
  return BCRYPT_SHA256_ALGORITHM;
}

// A stretch of the file, from its start offset up to its end.
struct TStretch {
  std::uint64_t Start;
  std::uint64_t End;
};

// What the image digest leaves out, in file order; none for a file that is not a PE image.
std::optional<std::vector<TStretch>> LeftOutOfImageDigest(const std::string& path,
                                                          const std::string& head) {
  const std::optional<TPeHeaders> headers = TPeHeaders::Read(path, head);
  if (!headers) {
    return std::nullopt;
  }
  const std::optional<std::uint64_t> checkSum = headers->CheckSumOffset();
  const std::optional<std::uint64_t> entry =
      headers->DirectoryEntryOffset(IMAGE_DIRECTORY_ENTRY_SECURITY);
  if (!checkSum || !entry) {
    return std::nullopt;
  }
  std::vector<TStretch> stretches = {{*checkSum, *checkSum + 4}, {*entry, *entry + 8}};
  // The certificate table's address is a file offset, not an address of the loaded image.
  if (const auto table = headers->Directory(IMAGE_DIRECTORY_ENTRY_SECURITY); table && table->Size) {
    stretches.push_back({table->Address, std::uint64_t{table->Address} + table->Size});
  }
  std::sort(stretches.begin(), stretches.end(),
            [](const TStretch& a, const TStretch& b) { return a.Start < b.Start; });
  return stretches;
}

THash NewHash(const TAlgorithm& algorithm) {
  THash hash;
  if (!BCRYPT_SUCCESS(BCryptCreateHash(algorithm.get(), hash.put(), nullptr, 0, nullptr, 0, 0))) {
    throw std::runtime_error("The system's hash provider cannot start a digest");
  }
  return hash;
}

void HashBytes(const THash& hash, const char* bytes, std::size_t count) {
  if (count > 0) {
    BCryptHashData(hash.get(), reinterpret_cast<PUCHAR>(const_cast<char*>(bytes)),
                   static_cast<ULONG>(count), 0);
  }
}

std::string Finish(const TAlgorithm& algorithm, const THash& hash) {
  DWORD length = 0;
  ULONG answered = 0;
  BCryptGetProperty(algorithm.get(), BCRYPT_HASH_LENGTH, reinterpret_cast<PUCHAR>(&length),
                    sizeof length, &answered, 0);
  std::vector<unsigned char> digest(length);
  if (!BCRYPT_SUCCESS(BCryptFinishHash(hash.get(), digest.data(), length, 0))) {
    return {};
  }
  return HexText(digest.data(), digest.size());
}

// Hashes the piece that starts at the offset, without the stretches left out.
void HashOutside(const THash& hash, const char* piece, std::size_t count, std::uint64_t offset,
                 const std::vector<TStretch>& leftOut) {
  std::uint64_t from = offset;
  const std::uint64_t end = offset + count;
  for (const TStretch& stretch : leftOut) {
    if (stretch.End <= from || stretch.Start >= end) {
      continue;
    }
    if (stretch.Start > from) {
      HashBytes(hash, piece + (from - offset), static_cast<std::size_t>(stretch.Start - from));
    }
    from = std::max(from, std::min(stretch.End, end));
  }
  if (from < end) {
    HashBytes(hash, piece + (from - offset), static_cast<std::size_t>(end - from));
  }
}

} // namespace

TFileDigests::TFileDigests(std::vector<TDigestKind> kinds)
    : FKinds(std::move(kinds)), FPiece(PieceSize) {
  for (const TDigestKind kind : FKinds) {
    TAlgorithm algorithm;
    if (!BCRYPT_SUCCESS(
            BCryptOpenAlgorithmProvider(algorithm.put(), AlgorithmOf(kind), nullptr, 0))) {
      throw std::runtime_error("The system's hash provider has no such digest");
    }
    FAlgorithms.push_back(std::move(algorithm));
  }
}

TFileDigests::TResult TFileDigests::Of(const std::string& path) {
  TResult result;
  result.Hex.resize(FKinds.size());
  const TFileHandle file = OpenForReading(path, FILE_FLAG_SEQUENTIAL_SCAN);
  if (!file) {
    result.Error = GetLastError();
    return result;
  }
  std::vector<THash> hashes;
  for (const TAlgorithm& algorithm : FAlgorithms) {
    hashes.push_back(NewHash(algorithm));
  }
  std::optional<std::vector<TStretch>> leftOut;
  for (std::uint64_t offset = 0;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), FPiece.data(), static_cast<DWORD>(FPiece.size()), &read, nullptr)) {
      result.Error = GetLastError();
      result.Hex.assign(FKinds.size(), {});
      return result;
    }
    if (offset == 0 &&
        std::find(FKinds.begin(), FKinds.end(), TDigestKind::AuthenticodeSha256) != FKinds.end()) {
      // The headers lie at the start; what lies beyond is read from the file.
      leftOut = LeftOutOfImageDigest(path, std::string(FPiece.data(), std::min<DWORD>(read, 4096)));
    }
    if (read == 0) {
      break;
    }
    for (std::size_t index = 0; index < FKinds.size(); ++index) {
      if (FKinds[index] != TDigestKind::AuthenticodeSha256) {
        HashBytes(hashes[index], FPiece.data(), read);
      } else if (leftOut) {
        HashOutside(hashes[index], FPiece.data(), read, offset, *leftOut);
      }
    }
    offset += read;
  }
  for (std::size_t index = 0; index < FKinds.size(); ++index) {
    if (FKinds[index] != TDigestKind::AuthenticodeSha256 || leftOut) {
      result.Hex[index] = Finish(FAlgorithms[index], hashes[index]);
    }
  }
  return result;
}
