#include "Baseline.h"

#include "HeldTexts.h"
#include "ReportFields.h"

#include "ResultColumns.h"
#include "SharedRead.h"
#include "Strings.h"

#include <nlohmann/json.hpp>
#include <windows.h>

#include <algorithm>

namespace {

constexpr std::size_t ReadSize = 1 << 20;

std::uint64_t Hash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : text) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  return hash;
}

// A JSON value as the field's text.
std::string ValueText(const nlohmann::json& value) {
  if (value.is_string()) {
    return value.get<std::string>();
  }
  if (value.is_boolean()) {
    return value.get<bool>() ? "true" : "false";
  }
  return value.is_null() ? "" : value.dump();
}

} // namespace

std::string PathKey(const std::string& path) {
  const std::wstring wide = WideFromAnsi(path);
  std::wstring upper(wide.size(), L'\0');
  LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
               upper.data(), static_cast<int>(upper.size()));
  return std::string(reinterpret_cast<const char*>(upper.data()), upper.size() * sizeof(wchar_t));
}

TBaseline::TBaseline(const std::string& fileName)
    : FFileName(fileName), FColumnOfField(ReportFields().size(), -1) {
  const TFileHandle file = OpenForReading(fileName, FILE_FLAG_SEQUENTIAL_SCAN);
  if (!file) {
    throw std::runtime_error("cannot read baseline \"" + fileName +
                             "\": " + SystemErrorText(GetLastError()));
  }
  std::vector<std::uint32_t> lineNumbers;
  std::string pending;
  std::vector<char> piece(ReadSize);
  std::size_t number = 0;
  for (DWORD read = 0;;) {
    if (!ReadFile(file.get(), piece.data(), static_cast<DWORD>(piece.size()), &read, nullptr)) {
      throw std::runtime_error("cannot read baseline \"" + fileName +
                               "\": " + SystemErrorText(GetLastError()));
    }
    pending.append(piece.data(), read);
    std::size_t start = 0;
    for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos ||
                          (read == 0 && start < pending.size());
         start = end + 1) {
      end = std::min(end, pending.size());
      const std::size_t rows = Count();
      AddLine(pending.substr(start, end - start), ++number);
      if (Count() > rows) {
        lineNumbers.push_back(static_cast<std::uint32_t>(number));
      }
    }
    pending.erase(0, std::min(start, pending.size()));
    if (read == 0) {
      break;
    }
  }
  IndexPaths(lineNumbers);
}

void TBaseline::AddLine(const std::string& line, std::size_t number) {
  if (line.find_first_not_of(" \t\r") == std::string::npos) {
    return;
  }
  const std::string where = "line " + std::to_string(number) + " of baseline \"" + FFileName + "\"";
  const nlohmann::json row = nlohmann::json::parse(line, nullptr, false);
  if (!row.is_object()) {
    throw EBaselineError(where + " is not a row of quillet -f json");
  }
  const auto path = row.find("Path");
  if (path == row.end() || !path->is_string()) {
    if (row.contains("Name") && row.contains("Directory")) {
      throw EBaselineError(where +
                           " has no Path: an older quillet wrote it. Make a new baseline with "
                           "quillet -f json -o BASELINE FOLDER");
    }
    throw EBaselineError(where + " is not a row of quillet -f json");
  }
  if (FKeys.empty()) {
    std::vector<std::string> keys;
    for (const auto& item : row.items()) {
      keys.push_back(item.key());
    }
    TakeFields(keys);
  }
  std::vector<std::string> texts;
  texts.reserve(FKeys.size());
  for (const std::string& key : FKeys) {
    const auto value = row.find(key);
    texts.push_back(value == row.end() ? std::string() : ValueText(*value));
  }
  // A path that is its folder followed by its name, as this program writes it, is not held.
  if (texts[FPathColumn] == DerivedPath(texts)) {
    texts[FPathColumn].clear();
  }
  for (std::size_t column = 0; column < texts.size(); ++column) {
    texts[column] = HeldFieldText(FFieldOfColumn[column], texts[column]);
  }
  FRows.Add(texts);
}

// The first row sets the fields held; the rows of one run all have them.
void TBaseline::TakeFields(const std::vector<std::string>& keys) {
  for (const std::string& key : keys) {
    const int field = FindReportField(key);
    if (field >= 0 && FColumnOfField[static_cast<std::size_t>(field)] < 0) {
      FColumnOfField[static_cast<std::size_t>(field)] = static_cast<int>(FKeys.size());
      FKeys.push_back(key);
      FFieldOfColumn.push_back(static_cast<std::size_t>(field));
    }
  }
  FPathColumn = static_cast<std::size_t>(FColumnOfField[PathField()]);
  // Texts that many rows have alike are held once.
  for (const char* key : {"Directory", "Type", "Machine", "Subsystem", "Languages", "Signature",
                          "SignatureSource", "Signer", "Issuer"}) {
    const int column = FColumnOfField[static_cast<std::size_t>(FindReportField(key))];
    if (column >= 0) {
      FRows.ShareColumn(static_cast<std::size_t>(column));
    }
  }
}

std::string TBaseline::DerivedPath(const std::vector<std::string>& texts) const {
  const int directory = FColumnOfField[DirectoryColumn];
  const int name = FColumnOfField[NameColumn];
  return directory < 0 || name < 0
             ? std::string()
             : texts[static_cast<std::size_t>(directory)] + texts[static_cast<std::size_t>(name)];
}

void TBaseline::IndexPaths(const std::vector<std::uint32_t>& lineNumbers) {
  const std::size_t pathField = PathField();
  FIndex.reserve(Count());
  for (std::size_t row = 0; row < Count(); ++row) {
    FIndex.emplace_back(Hash(PathKey(Text(row, pathField))), static_cast<std::uint32_t>(row));
  }
  std::sort(FIndex.begin(), FIndex.end());
  // Rows of one hash stand together, in file order: a key met twice is a path twice.
  for (std::size_t at = 0; at < FIndex.size(); ++at) {
    const std::string key = PathKey(Text(FIndex[at].second, pathField));
    for (std::size_t later = at + 1;
         later < FIndex.size() && FIndex[later].first == FIndex[at].first; ++later) {
      if (PathKey(Text(FIndex[later].second, pathField)) == key) {
        throw EBaselineError("line " + std::to_string(lineNumbers[FIndex[later].second]) +
                             " of baseline \"" + FFileName +
                             "\" names a path again: " + Text(FIndex[later].second, pathField));
      }
    }
  }
}

bool TBaseline::Has(std::size_t field) const {
  return field < FColumnOfField.size() && FColumnOfField[field] >= 0;
}

std::optional<std::size_t> TBaseline::Find(const std::string& path) const {
  const std::size_t pathField = PathField();
  const std::string key = PathKey(path);
  const std::uint64_t hash = Hash(key);
  for (auto at = std::lower_bound(FIndex.begin(), FIndex.end(), std::make_pair(hash, 0u));
       at != FIndex.end() && at->first == hash; ++at) {
    if (PathKey(Text(at->second, pathField)) == key) {
      return at->second;
    }
  }
  return std::nullopt;
}

std::string TBaseline::Text(std::size_t row, std::size_t field) const {
  if (!Has(field)) {
    return {};
  }
  const std::string_view text = FRows.Text(row, static_cast<std::size_t>(FColumnOfField[field]));
  if (field == PathField() && text.empty()) {
    return Text(row, DirectoryColumn) + Text(row, NameColumn);
  }
  return FieldTextOfHeld(field, text);
}

std::size_t TBaseline::PathField() {
  static const std::size_t field = static_cast<std::size_t>(FindReportField("Path"));
  return field;
}
