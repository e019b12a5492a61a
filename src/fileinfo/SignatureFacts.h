#pragma once

#include <windows.h>

#include <optional>
#include <string>

// What a program image's Authenticode signature says.
struct TSignatureFacts {
  // "Valid", "Unsigned", "Tampered" (the image changed after signing), "UntrustedRoot",
  // "Expired", "Revoked", "Distrusted", or "Invalid 0x%08X" with the system's answer.
  std::string Verdict;
  // "embedded", or "catalog" when a catalog of the system's catalog database signs the
  // image's digest in its place; empty when unsigned.
  std::string Source;
  // The signing certificate's subject and issuer as simple display names, and its SHA-1
  // thumbprint in upper-case hex.
  std::string Signer;
  std::string Issuer;
  std::string Thumbprint;
  // When a time-stamping authority saw the signature; none without a time stamp.
  std::optional<FILETIME> SigningTime;
};

// Verifies program images as the system does, with no user interface, no revocation check
// and no network retrieval, so that an audit never waits on a server.
class TSignatureReader {
public:
  TSignatureReader();
  ~TSignatureReader();
  TSignatureReader(const TSignatureReader&) = delete;
  TSignatureReader& operator=(const TSignatureReader&) = delete;

  TSignatureFacts Read(const std::string& path);

private:
  std::optional<TSignatureFacts> ReadFromCatalog(const std::wstring& path);

  // The catalog database, opened for the newest digest it offers; none when the system has
  // no catalog database.
  HANDLE FCatalogs = nullptr;
  bool FSha256Catalogs = false;
};
