#include "TrustFields.h"

#include "Strings.h"

#include <algorithm>

namespace {

struct TDigestField {
  TFieldGroup Group;
  TDigestKind Kind;
  std::string TAuditFields::*Field;
};

// In the order of the fields.
constexpr TDigestField DigestFields[] = {
    {TFieldGroup::Sha256, TDigestKind::Sha256, &TAuditFields::Sha256},
    {TFieldGroup::Sha1, TDigestKind::Sha1, &TAuditFields::Sha1},
    {TFieldGroup::Md5, TDigestKind::Md5, &TAuditFields::Md5},
    {TFieldGroup::AuthenticodeSha256, TDigestKind::AuthenticodeSha256,
     &TAuditFields::AuthenticodeSha256},
};

bool Asks(const TReportOptions& options, TFieldGroup group) {
  return std::find(options.FieldGroups.begin(), options.FieldGroups.end(), group) !=
         options.FieldGroups.end();
}

} // namespace

TTrustFields::TTrustFields(const TReportOptions& options) {
  if (Asks(options, TFieldGroup::Signatures) || options.RequireSigned) {
    FSignatures.emplace();
  }
  std::vector<TDigestKind> kinds;
  for (const TDigestField& digest : DigestFields) {
    if (Asks(options, digest.Group)) {
      kinds.push_back(digest.Kind);
      FDigestFields.push_back(digest.Field);
    }
  }
  if (!kinds.empty()) {
    FDigests.emplace(std::move(kinds));
  }
}

void TTrustFields::Fill(TAuditFields& audit, bool isFile) {
  // Only program images carry signatures; they are the files with a machine.
  if (FSignatures && !audit.Machine.empty()) {
    const TSignatureFacts signature = FSignatures->Read(audit.Path);
    audit.Signature = signature.Verdict;
    audit.SignatureSource = signature.Source;
    audit.Signer = signature.Signer;
    audit.Issuer = signature.Issuer;
    audit.SignerThumbprint = signature.Thumbprint;
    audit.SigningTime = signature.SigningTime ? IsoUtcText(*signature.SigningTime) : "";
  }
  if (FDigests && isFile) {
    const TFileDigests::TResult digests = FDigests->Of(audit.Path);
    for (std::size_t index = 0; index < FDigestFields.size(); ++index) {
      audit.*FDigestFields[index] = digests.Hex[index];
    }
    if (digests.Error != 0 && audit.ReadError.empty()) {
      audit.ReadError = SystemErrorText(digests.Error);
    }
  }
}
