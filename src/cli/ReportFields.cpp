#include "ReportFields.h"

#include "AnsiText.h"

#include "AuditFields.h"
#include "ResultColumns.h"
#include "RowOrder.h"
#include "Strings.h"

#include <algorithm>

namespace {

constexpr std::size_t CreatedColumn = 11;
constexpr std::size_t LastModifiedColumn = 13;
constexpr std::size_t FileVersionColumn = 1;
constexpr std::size_t ProductVersionColumn = 5;

std::vector<TReportField> MakeFields() {
  std::vector<TReportField> fields;
  for (std::size_t column = 0; column < ResultColumnCount; ++column) {
    const TFieldKind kind =
        column == SizeColumn                                            ? TFieldKind::Size
        : column >= CreatedColumn && column <= LastModifiedColumn       ? TFieldKind::LocalTime
        : column == FileVersionColumn || column == ProductVersionColumn ? TFieldKind::StatedVersion
                                                                        : TFieldKind::Text;
    // The window's caption keeps its spelling; a key that scripts read does not.
    fields.push_back(
        {column == LastModifiedColumn ? "LastModified" : ResultColumnCaptions[column], kind});
  }
  using enum TFieldKind;
  using enum TFieldGroup;
  using A = TAuditFields;
  const auto text = [&](std::string_view key, TFieldKind kind, std::string A::*member,
                        TFieldGroup group = Always) {
    fields.push_back({key, kind, group, member, nullptr});
  };
  const auto flag = [&](std::string_view key, bool A::*member) {
    fields.push_back({key, Flag, Always, nullptr, member});
  };
  text("FileVersionNumber", FixedVersion, &A::FileVersionNumber);
  text("ProductVersionNumber", FixedVersion, &A::ProductVersionNumber);
  flag("VersionMismatch", &A::VersionMismatch);
  text("Machine", Text, &A::Machine);
  text("Path", Text, &A::Path);
  text("CreatedUtc", UtcTime, &A::CreatedUtc);
  text("LastAccessUtc", UtcTime, &A::LastAccessUtc);
  text("LastModifiedUtc", UtcTime, &A::LastModifiedUtc);
  text("ReadError", Text, &A::ReadError);
  text("LinkTime", UtcTime, &A::LinkTime);
  text("Subsystem", Text, &A::Subsystem);
  flag("DotNet", &A::DotNet);
  text("Languages", Text, &A::Languages);
  text("Signature", Text, &A::Signature, Signatures);
  text("SignatureSource", Text, &A::SignatureSource, Signatures);
  text("Signer", Text, &A::Signer, Signatures);
  text("Issuer", Text, &A::Issuer, Signatures);
  text("SignerThumbprint", Text, &A::SignerThumbprint, Signatures);
  text("SigningTime", UtcTime, &A::SigningTime, Signatures);
  text("SHA256", Text, &A::Sha256, Sha256);
  text("SHA1", Text, &A::Sha1, Sha1);
  text("MD5", Text, &A::Md5, Md5);
  text("AuthenticodeSHA256", Text, &A::AuthenticodeSha256, AuthenticodeSha256);
  return fields;
}

// Numbers in an order that compares byte by byte as the numbers do, a shorter run of equal
// numbers first: each number as a marker and four bytes, highest first, then an end.
std::string NumbersKey(const std::vector<std::uint32_t>& numbers) {
  std::string key;
  for (const std::uint32_t number : numbers) {
    key += '\x01';
    for (int shift = 24; shift >= 0; shift -= 8) {
      key += static_cast<char>(number >> shift & 0xFF);
    }
  }
  key += '\0';
  return key;
}

} // namespace

const std::vector<TReportField>& ReportFields() {
  static const std::vector<TReportField> fields = MakeFields();
  return fields;
}

std::vector<std::size_t> WrittenFields(const std::vector<TFieldGroup>& groups) {
  std::vector<std::size_t> written;
  const std::vector<TReportField>& fields = ReportFields();
  for (std::size_t field = 0; field < fields.size(); ++field) {
    const TFieldGroup group = fields[field].Group;
    if (group == TFieldGroup::Always ||
        std::find(groups.begin(), groups.end(), group) != groups.end()) {
      written.push_back(field);
    }
  }
  return written;
}

std::string FieldText(const TReportRow& row, std::size_t field) {
  const TReportField& at = ReportFields()[field];
  if (at.Text != nullptr) {
    return row.Audit.*at.Text;
  }
  if (at.IsSet != nullptr) {
    return row.Audit.*at.IsSet ? "true" : "false";
  }
  return row.Cells[field];
}

// The audit fields are in UTF-8 already.
std::string FieldUtf8Text(const TReportRow& row, std::size_t field) {
  return field < ResultColumnCount ? AnsiToUtf8(row.Cells[field]) : FieldText(row, field);
}

void SetFieldText(TReportRow& row, std::size_t field, const std::string& text) {
  const TReportField& at = ReportFields()[field];
  if (at.Text != nullptr) {
    row.Audit.*at.Text = text;
  } else if (at.IsSet != nullptr) {
    row.Audit.*at.IsSet = text == "true";
  }
}

int FindReportField(const std::string& key) {
  const std::string wanted = AsciiUpperCase(key);
  if (wanted == AsciiUpperCase(std::string(ResultColumnCaptions[LastModifiedColumn]))) {
    return static_cast<int>(LastModifiedColumn);
  }
  const std::vector<TReportField>& fields = ReportFields();
  for (std::size_t field = 0; field < fields.size(); ++field) {
    if (AsciiUpperCase(std::string(fields[field].Key)) == wanted) {
      return static_cast<int>(field);
    }
  }
  return -1;
}

std::string FieldSortKey(const TReportRow& row, std::size_t field) {
  const std::string text = FieldText(row, field);
  switch (ReportFields()[field].Kind) {
  case TFieldKind::Size: {
    std::string digits = text.empty() ? "0" : text;
    return std::string(20 - std::min<std::size_t>(digits.size(), 20), '0') + digits;
  }
  case TFieldKind::LocalTime: {
    static const std::size_t createdUtc = static_cast<std::size_t>(FindReportField("CreatedUtc"));
    return FieldText(row, createdUtc + (field - CreatedColumn));
  }
  case TFieldKind::StatedVersion:
    return NumbersKey(StatedVersion(text)) + CellSortKey(text);
  case TFieldKind::FixedVersion:
    return NumbersKey(StatedVersion(text));
  case TFieldKind::UtcTime:
  case TFieldKind::Flag:
    return text;
  case TFieldKind::Text:
    break;
  }
  return CellSortKey(text);
}
