#pragma once

#include "UniqueHandle.h"

#include <bcrypt.h>
#include <wincrypt.h>

// The hash provider's algorithms, closed with BCryptCloseAlgorithmProvider.
struct TAlgorithmTraits {
  using THandleType = BCRYPT_ALG_HANDLE;
  static BCRYPT_ALG_HANDLE Invalid() { return nullptr; }
  static void Close(BCRYPT_ALG_HANDLE handle) { BCryptCloseAlgorithmProvider(handle, 0); }
};
using TAlgorithm = TUniqueHandle<TAlgorithmTraits>;

// One digest being computed, destroyed with BCryptDestroyHash.
struct THashTraits {
  using THandleType = BCRYPT_HASH_HANDLE;
  static BCRYPT_HASH_HANDLE Invalid() { return nullptr; }
  static void Close(BCRYPT_HASH_HANDLE handle) { BCryptDestroyHash(handle); }
};
using THash = TUniqueHandle<THashTraits>;

// Certificate stores, closed with CertCloseStore.
struct TCertStoreTraits {
  using THandleType = HCERTSTORE;
  static HCERTSTORE Invalid() { return nullptr; }
  static void Close(HCERTSTORE handle) { CertCloseStore(handle, 0); }
};
using TCertStore = TUniqueHandle<TCertStoreTraits>;

// Decoded cryptographic messages (a signature's PKCS #7), closed with CryptMsgClose.
struct TCryptMessageTraits {
  using THandleType = HCRYPTMSG;
  static HCRYPTMSG Invalid() { return nullptr; }
  static void Close(HCRYPTMSG handle) { CryptMsgClose(handle); }
};
using TCryptMessage = TUniqueHandle<TCryptMessageTraits>;

// Certificates found in a store, freed with CertFreeCertificateContext.
struct TCertificateTraits {
  using THandleType = PCCERT_CONTEXT;
  static PCCERT_CONTEXT Invalid() { return nullptr; }
  static void Close(PCCERT_CONTEXT handle) { CertFreeCertificateContext(handle); }
};
using TCertificate = TUniqueHandle<TCertificateTraits>;
