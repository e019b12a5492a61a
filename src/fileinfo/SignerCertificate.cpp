#include "SignerCertificate.h"

#include "CryptHandles.h"
#include "Strings.h"

#include <cstring>
#include <vector>

namespace {

constexpr DWORD Encodings = X509_ASN_ENCODING | PKCS_7_ASN_ENCODING;
// The unsigned attribute that holds an RFC 3161 time-stamp token (Windows' headers name it
// only in newer SDKs).
constexpr char Rfc3161CounterSign[] = "1.3.6.1.4.1.311.3.3.1";

// A message parameter's bytes; empty when the message has none.
std::vector<BYTE> MessageParameter(HCRYPTMSG message, DWORD parameter) {
  DWORD size = 0;
  if (!CryptMsgGetParam(message, parameter, 0, nullptr, &size)) {
    return {};
  }
  std::vector<BYTE> bytes(size);
  if (!CryptMsgGetParam(message, parameter, 0, bytes.data(), &size)) {
    return {};
  }
  bytes.resize(size);
  return bytes;
}

// A structure the system decodes into a buffer of the size it asks for.
std::vector<BYTE> Decoded(LPCSTR type, const CRYPT_ATTR_BLOB& value) {
  DWORD size = 0;
  if (!CryptDecodeObject(Encodings, type, value.pbData, value.cbData, 0, nullptr, &size)) {
    return {};
  }
  std::vector<BYTE> bytes(size);
  if (!CryptDecodeObject(Encodings, type, value.pbData, value.cbData, 0, bytes.data(), &size)) {
    return {};
  }
  return bytes;
}

std::string NameOf(PCCERT_CONTEXT certificate, DWORD flags) {
  char name[512] = {};
  CertGetNameStringA(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, flags, nullptr, name, sizeof name);
  return name;
}

std::string Thumbprint(PCCERT_CONTEXT certificate) {
  BYTE hash[20];
  DWORD size = sizeof hash;
  if (!CertGetCertificateContextProperty(certificate, CERT_SHA1_HASH_PROP_ID, hash, &size)) {
    return {};
  }
  return HexText(hash, size, true);
}

const CRYPT_ATTRIBUTE* FindAttribute(const CRYPT_ATTRIBUTES& attributes, const char* oid) {
  for (DWORD index = 0; index < attributes.cAttr; ++index) {
    if (std::strcmp(attributes.rgAttr[index].pszObjId, oid) == 0 &&
        attributes.rgAttr[index].cValue > 0) {
      return &attributes.rgAttr[index];
    }
  }
  return nullptr;
}

// An Authenticode countersignature's signing time.
std::optional<FILETIME> CounterSignatureTime(const CRYPT_ATTR_BLOB& value) {
  const std::vector<BYTE> decoded = Decoded(PKCS7_SIGNER_INFO, value);
  if (decoded.empty()) {
    return std::nullopt;
  }
  const auto* counterSigner = reinterpret_cast<const CMSG_SIGNER_INFO*>(decoded.data());
  const CRYPT_ATTRIBUTE* time = FindAttribute(counterSigner->AuthAttrs, szOID_RSA_signingTime);
  if (time == nullptr) {
    return std::nullopt;
  }
  FILETIME signingTime;
  DWORD size = sizeof signingTime;
  if (!CryptDecodeObject(Encodings, szOID_RSA_signingTime, time->rgValue[0].pbData,
                         time->rgValue[0].cbData, 0, &signingTime, &size)) {
    return std::nullopt;
  }
  return signingTime;
}

// An RFC 3161 token's time: the token is signed data whose content is the TSTInfo.
std::optional<FILETIME> TokenTime(const CRYPT_ATTR_BLOB& value) {
  const TCryptMessage token(CryptMsgOpenToDecode(Encodings, 0, 0, 0, nullptr, nullptr));
  if (!token || !CryptMsgUpdate(token.get(), value.pbData, value.cbData, TRUE)) {
    return std::nullopt;
  }
  const std::vector<BYTE> content = MessageParameter(token.get(), CMSG_CONTENT_PARAM);
  return TimeStampTime(std::string(content.begin(), content.end()));
}

std::optional<FILETIME> SigningTime(const CMSG_SIGNER_INFO& signer) {
  if (const CRYPT_ATTRIBUTE* token = FindAttribute(signer.UnauthAttrs, Rfc3161CounterSign)) {
    return TokenTime(token->rgValue[0]);
  }
  if (const CRYPT_ATTRIBUTE* counter = FindAttribute(signer.UnauthAttrs, szOID_RSA_counterSign)) {
    return CounterSignatureTime(counter->rgValue[0]);
  }
  return std::nullopt;
}

// A DER element: its tag, and where its contents start and end.
struct TDerElement {
  unsigned char Tag;
  std::size_t Start;
  std::size_t End;
};

std::optional<TDerElement> DerElementAt(const std::string& der, std::size_t at, std::size_t limit) {
  if (at + 2 > limit) {
    return std::nullopt;
  }
  const auto byte = [&](std::size_t index) { return static_cast<unsigned char>(der[index]); };
  std::size_t length = byte(at + 1);
  std::size_t start = at + 2;
  if (length & 0x80) {
    const std::size_t count = length & 0x7F;
    if (count == 0 || count > 4 || start + count > limit) {
      return std::nullopt;
    }
    length = 0;
    for (std::size_t index = 0; index < count; ++index) {
      length = (length << 8) | byte(start + index);
    }
    start += count;
  }
  if (length > limit - start) {
    return std::nullopt;
  }
  return TDerElement{byte(at), start, start + length};
}

} // namespace

std::optional<FILETIME> TimeStampTime(const std::string& tstInfo) {
  constexpr unsigned char Sequence = 0x30;
  constexpr unsigned char OctetString = 0x04;
  constexpr unsigned char GeneralizedTime = 0x18;
  std::optional<TDerElement> info = DerElementAt(tstInfo, 0, tstInfo.size());
  // Some decoders give the content still wrapped in the octet string that carries it.
  if (info && info->Tag == OctetString) {
    info = DerElementAt(tstInfo, info->Start, info->End);
  }
  if (!info || info->Tag != Sequence) {
    return std::nullopt;
  }
  // The time follows the version, policy, message imprint and serial number.
  std::optional<TDerElement> element;
  for (std::size_t at = info->Start;
       (element = DerElementAt(tstInfo, at, info->End)) && element->Tag != GeneralizedTime;
       at = element->End) {
  }
  // "YYYYMMDDHHMMSS", then perhaps a fraction, then "Z".
  const std::string text =
      element ? tstInfo.substr(element->Start, element->End - element->Start) : "";
  if (text.size() < 15 || text.back() != 'Z' || text.find_first_not_of("0123456789") < 14) {
    return std::nullopt;
  }
  const auto number = [&](std::size_t at, std::size_t count) {
    return static_cast<WORD>(std::stoi(text.substr(at, count)));
  };
  const SYSTEMTIME time = {number(0, 4),  number(4, 2),  0, number(6, 2), number(8, 2),
                           number(10, 2), number(12, 2), 0};
  FILETIME result;
  if (!SystemTimeToFileTime(&time, &result)) {
    return std::nullopt;
  }
  return result;
}

std::optional<TSigner> ReadSigner(const std::wstring& path) {
  TCertStore store;
  TCryptMessage message;
  DWORD encoding = 0;
  DWORD content = 0;
  DWORD format = 0;
  if (!CryptQueryObject(CERT_QUERY_OBJECT_FILE, path.c_str(),
                        CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED |
                            CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED,
                        CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding, &content, &format, store.put(),
                        message.put(), nullptr)) {
    return std::nullopt;
  }
  const std::vector<BYTE> signerBytes = MessageParameter(message.get(), CMSG_SIGNER_INFO_PARAM);
  if (signerBytes.empty()) {
    return std::nullopt;
  }
  const auto* signer = reinterpret_cast<const CMSG_SIGNER_INFO*>(signerBytes.data());
  CERT_INFO wanted = {};
  wanted.Issuer = signer->Issuer;
  wanted.SerialNumber = signer->SerialNumber;
  const TCertificate certificate(CertFindCertificateInStore(
      store.get(), Encodings, 0, CERT_FIND_SUBJECT_CERT, &wanted, nullptr));
  TSigner result;
  if (certificate) {
    result.Name = NameOf(certificate.get(), 0);
    result.Issuer = NameOf(certificate.get(), CERT_NAME_ISSUER_FLAG);
    result.Thumbprint = Thumbprint(certificate.get());
  }
  result.SigningTime = SigningTime(*signer);
  return result;
}
