#include "SignatureFacts.h"

#include "FileHead.h"
#include "PeHeaders.h"
#include "SignerCertificate.h"
#include "Strings.h"

#include <mscat.h>
#include <softpub.h>
#include <wintrust.h>

#include <cstdio>
#include <vector>

namespace {

std::string InvalidVerdict(LONG status) {
  char text[24];
  std::snprintf(text, sizeof text, "Invalid 0x%08lX", static_cast<unsigned long>(status));
  return text;
}

std::string VerdictOf(LONG status) {
  switch (static_cast<HRESULT>(status)) {
  case ERROR_SUCCESS:
    return "Valid";
  case TRUST_E_NOSIGNATURE:
    return "Unsigned";
  case TRUST_E_BAD_DIGEST:
    return "Tampered";
  case CERT_E_UNTRUSTEDROOT:
  case CERT_E_UNTRUSTEDTESTROOT:
  case CERT_E_CHAINING:
    return "UntrustedRoot";
  case CERT_E_EXPIRED:
    return "Expired";
  case CERT_E_REVOKED:
    return "Revoked";
  case TRUST_E_EXPLICIT_DISTRUST:
    return "Distrusted";
  default:
    return InvalidVerdict(status);
  }
}

// Asks the system's Authenticode policy about a file or a catalog member.
LONG VerifyTrust(WINTRUST_DATA& data) {
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  // No interactive user: the policy never asks anybody.
  const auto noUser = static_cast<HWND>(INVALID_HANDLE_VALUE);
  const LONG status = WinVerifyTrust(noUser, &action, &data);
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(noUser, &action, &data);
  return status;
}

// Whether the image carries a certificate table: then a signature the policy cannot find is
// one it cannot read, not a missing one.
bool HasCertificateTable(const std::string& path) {
  const std::optional<std::string> head = ReadFileHead(path);
  const std::optional<TPeHeaders> headers = head ? TPeHeaders::Read(path, *head) : std::nullopt;
  return headers && headers->Directory(IMAGE_DIRECTORY_ENTRY_SECURITY).has_value();
}

void TakeSigner(TSignatureFacts& facts, const std::wstring& signedFile) {
  if (std::optional<TSigner> signer = ReadSigner(signedFile)) {
    facts.Signer = std::move(signer->Name);
    facts.Issuer = std::move(signer->Issuer);
    facts.Thumbprint = std::move(signer->Thumbprint);
    facts.SigningTime = signer->SigningTime;
  }
}

// Windows 8 and later keep catalogs of SHA-256 digests, and have the calls that take them.
using TAcquireContext2 = BOOL(WINAPI*)(HCATADMIN*, const GUID*, const WCHAR*,
                                       const CERT_STRONG_SIGN_PARA*, DWORD);
using TCalcHash2 = BOOL(WINAPI*)(HCATADMIN, HANDLE, DWORD*, BYTE*, DWORD);

// The catalog member as Windows 8 and later take it: with the catalog database that hashed
// it, so that the policy hashes the member the same way (the headers declare the field only
// for builds that need Windows 8).
struct TCatalogMember : WINTRUST_CATALOG_INFO {
  HCATADMIN hCatAdmin;
};

template <typename TFunction>
TFunction WintrustFunction(const char* name) {
  return reinterpret_cast<TFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("wintrust.dll"), name)));
}

} // namespace

TSignatureReader::TSignatureReader() {
  GUID driverAction = DRIVER_ACTION_VERIFY;
  if (const auto acquire2 = WintrustFunction<TAcquireContext2>("CryptCATAdminAcquireContext2")) {
    FSha256Catalogs = acquire2(&FCatalogs, &driverAction, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
  }
  if (!FSha256Catalogs && !CryptCATAdminAcquireContext(&FCatalogs, &driverAction, 0)) {
    FCatalogs = nullptr;
  }
}

TSignatureReader::~TSignatureReader() {
  if (FCatalogs != nullptr) {
    CryptCATAdminReleaseContext(FCatalogs, 0);
  }
}

TSignatureFacts TSignatureReader::Read(const std::string& path) {
  const std::wstring widePath = WideFromAnsi(path);
  WINTRUST_FILE_INFO file = {};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = widePath.c_str();
  WINTRUST_DATA data = {};
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  const LONG status = VerifyTrust(data);
  TSignatureFacts facts;
  if (status == TRUST_E_NOSIGNATURE && !HasCertificateTable(path)) {
    if (std::optional<TSignatureFacts> catalog = ReadFromCatalog(widePath)) {
      return *catalog;
    }
    facts.Verdict = VerdictOf(status);
    return facts;
  }
  // A certificate table the policy finds no signature in holds a damaged one.
  facts.Verdict = status == TRUST_E_NOSIGNATURE ? InvalidVerdict(status) : VerdictOf(status);
  facts.Source = "embedded";
  TakeSigner(facts, widePath);
  return facts;
}

std::optional<TSignatureFacts> TSignatureReader::ReadFromCatalog(const std::wstring& path) {
  if (FCatalogs == nullptr) {
    return std::nullopt;
  }
  const TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
  std::vector<BYTE> digest(64);
  DWORD size = static_cast<DWORD>(digest.size());
  const auto calcHash2 = WintrustFunction<TCalcHash2>("CryptCATAdminCalcHashFromFileHandle2");
  const bool hashed =
      FSha256Catalogs && calcHash2 != nullptr
          ? calcHash2(FCatalogs, file.get(), &size, digest.data(), 0)
          : CryptCATAdminCalcHashFromFileHandle(file.get(), &size, digest.data(), 0);
  if (!file || !hashed) {
    return std::nullopt;
  }
  digest.resize(size);
  HCATINFO catalog = CryptCATAdminEnumCatalogFromHash(FCatalogs, digest.data(), size, 0, nullptr);
  if (catalog == nullptr) {
    return std::nullopt;
  }
  CATALOG_INFO info = {};
  info.cbStruct = sizeof info;
  std::optional<TSignatureFacts> facts;
  if (CryptCATCatalogInfoFromContext(catalog, &info, 0)) {
    const std::wstring tag = WideFromAnsi(HexText(digest.data(), digest.size(), true));
    TCatalogMember member = {};
    member.cbStruct = sizeof member;
    member.pcwszCatalogFilePath = info.wszCatalogFile;
    member.pcwszMemberTag = tag.c_str();
    member.pcwszMemberFilePath = path.c_str();
    member.hMemberFile = file.get();
    member.pbCalculatedFileHash = digest.data();
    member.cbCalculatedFileHash = size;
    member.hCatAdmin = FCatalogs;
    WINTRUST_DATA data = {};
    data.dwUnionChoice = WTD_CHOICE_CATALOG;
    data.pCatalog = &member;
    facts.emplace();
    facts->Verdict = VerdictOf(VerifyTrust(data));
    facts->Source = "catalog";
    TakeSigner(*facts, info.wszCatalogFile);
  }
  CryptCATAdminReleaseCatalogContext(FCatalogs, catalog, 0);
  return facts;
}
