#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Who signed a file, from the first signer of the PKCS #7 signature it carries (a program
// image's embedded one, or a catalog file's own).
struct TSigner {
  std::string Name;
  std::string Issuer;
  std::string Thumbprint;
  std::optional<FILETIME> SigningTime;
};

// None when the file carries no signature the system can decode.
std::optional<TSigner> ReadSigner(const std::wstring& path);

// The time of an RFC 3161 time-stamp token's TSTInfo (its DER bytes); none when the bytes are
// no such structure.
std::optional<FILETIME> TimeStampTime(const std::string& tstInfo);
