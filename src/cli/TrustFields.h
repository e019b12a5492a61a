#pragma once

#include "ReportOptions.h"

#include "AuditFields.h"
#include "FileDigests.h"
#include "SignatureFacts.h"

#include <optional>
#include <vector>

// The fields of a row that the options ask for beyond the audit fields: a program image's
// signature and the file's digests.
class TTrustFields {
public:
  explicit TTrustFields(const TReportOptions& options);

  // Fills them in for the row's file (audit.Path); a file that cannot be read for its
  // digests gets its ReadError.
  void Fill(TAuditFields& audit, bool isFolder);

private:
  std::optional<TSignatureReader> FSignatures;
  std::optional<TFileDigests> FDigests;
  // Where each digest asked for goes, in the order TFileDigests gives them.
  std::vector<std::string TAuditFields::*> FDigestFields;
};
