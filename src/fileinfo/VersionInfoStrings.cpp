#include "VersionInfo.h"

#include "VersionBuffer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

struct TStringKey {
  const char* Key;
  std::string TVersionInfoValues::*Target;
};

const TStringKey StringKeys[] = {
    {"ProductName", &TVersionInfoValues::ProductName},
    {"CompanyName", &TVersionInfoValues::CompanyName},
    {"ProductVersion", &TVersionInfoValues::ProductVersion},
    {"LegalCopyright", &TVersionInfoValues::LegalCopyright},
    {"LegalTrademarks", &TVersionInfoValues::LegalTrademarks},
    {"Comments", &TVersionInfoValues::Comments},
    {"OriginalFilename", &TVersionInfoValues::OriginalFilename},
    {"InternalName", &TVersionInfoValues::InternalFilename},
    {"FileDescription", &TVersionInfoValues::FileDescription},
    {"FileVersion", &TVersionInfoValues::FileVersion},
};

// The table key of a translation: language and code page as four upper-case hex digits each.
std::string TableKey(WORD language, WORD codePage) {
  char key[9];
  std::snprintf(key, sizeof key, "%04X%04X", language, codePage);
  return key;
}

std::string LanguageName(WORD language) {
  char name[2000];
  const DWORD length = VerLanguageNameA(language, name, sizeof name);
  return std::string(name, std::min<DWORD>(length, sizeof name - 1));
}

// The name of the language that a table key begins with; empty when it begins otherwise.
std::string TableLanguageName(const std::string& table) {
  unsigned language = 0;
  const char* end = table.data() + std::min<std::size_t>(table.size(), 4);
  const auto parsed = std::from_chars(table.data(), end, language, 16);
  if (table.size() < 4 || parsed.ptr != end || parsed.ec != std::errc()) {
    return std::string();
  }
  return LanguageName(static_cast<WORD>(language));
}

bool HasTable(const std::vector<std::string>& tables, const std::string& table) {
  // The system looks keys up without regard to case.
  return std::any_of(tables.begin(), tables.end(), [&](const std::string& key) {
    return lstrcmpiA(key.c_str(), table.c_str()) == 0;
  });
}

} // namespace

void TVersionInfo::RetrieveStrings(TVersionBuffer& buffer, const std::vector<std::string>& tables) {
  std::string table = "040904E4";
  if (const std::optional<std::pair<WORD, WORD>> translation = buffer.FirstTranslation()) {
    table = TableKey(translation->first, translation->second);
    FValues.Language = LanguageName(translation->first);
  }
  // Many files name a table they do not have, or have one other than US English without
  // naming it; their strings are still worth showing, from the first table there is.
  if (!tables.empty() && !HasTable(tables, table)) {
    table = tables.front();
    FValues.Language = TableLanguageName(table);
  }
  const std::string prefix = "\\StringFileInfo\\" + table + "\\";
  for (const TStringKey& key : StringKeys) {
    if (std::optional<std::string> text = buffer.Text(prefix + key.Key)) {
      FValues.*key.Target = std::move(*text);
    }
  }
}
