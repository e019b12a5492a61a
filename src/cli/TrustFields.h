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

  // Fills them in for the row's file (audit.Path): digests only of a file, not of a folder
  // nor of a file that is gone; a file that cannot be read for them gets its ReadError.
  void Fill(TAuditFields& audit, bool isFile);

private:
  std::optional<TSignatureReader> FSignatures;
  std::optional<TFileDigests> FDigests;
  // Where each digest asked for goes, in the order TFileDigests gives them.
  std::vector<std::string TAuditFields::*> FDigestFields;
};
