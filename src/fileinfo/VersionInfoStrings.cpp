#include "VersionValues.h"

#include "Strings.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

const TVersionStringKey StringKeys[] = {
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

// Wine counts the NUL in the length it answers, Windows does not.
std::string LanguageName(WORD language) {
  char name[2000];
  const DWORD length = VerLanguageNameA(language, name, sizeof name);
  return std::string(name, strnlen(name, std::min<DWORD>(length, sizeof name - 1)));
}

// The language that a table key begins with, as four hexadecimal digits.
std::optional<WORD> TableLanguage(const std::string& table) {
  unsigned language = 0;
  const char* end = table.data() + std::min<std::size_t>(table.size(), 4);
  const auto parsed = std::from_chars(table.data(), end, language, 16);
  if (table.size() < 4 || parsed.ptr != end || parsed.ec != std::errc()) {
    return std::nullopt;
  }
  return static_cast<WORD>(language);
}

} // namespace

std::span<const TVersionStringKey> VersionStringKeys() {
  return StringKeys;
}

TStringTable ChooseStringTable(const TVersionBuffer& buffer,
                               const std::optional<std::pair<WORD, WORD>>& translation) {
  TStringTable named{"040904E4", std::nullopt};
  if (translation) {
    named = {TableKey(translation->first, translation->second), translation->first};
  }
  // Many files name a table they do not have, or have one other than US English without
  // naming it; their strings are still worth showing, from the table nearest in language.
  if (buffer.Has("\\StringFileInfo\\" + named.Key)) {
    return named;
  }
  const std::vector<std::string> tables = buffer.TableKeys();
  if (tables.empty()) {
    return named;
  }
  auto match = tables.begin();
  if (translation) {
    const auto inLanguage = [&](WORD mask) {
      return std::find_if(tables.begin(), tables.end(), [&](const std::string& key) {
        const std::optional<WORD> language = TableLanguage(key);
        return language && (*language & mask) == (translation->first & mask);
      });
    };
    match = inLanguage(0xFFFF);
    if (match == tables.end()) {
      match = inLanguage(0x03FF); // the primary language
    }
    if (match == tables.end()) {
      match = tables.begin();
    }
  }
  return {*match, TableLanguage(*match)};
}

void ReadVersionStrings(TVersionBuffer& buffer, TVersionInfoValues& values) {
  for (const std::string& key : buffer.TableKeys()) {
    if (!values.StringTables.empty()) {
      values.StringTables += ';';
    }
    values.StringTables += AsciiUpperCase(key);
  }
  const TStringTable table = ChooseStringTable(buffer, buffer.FirstTranslation());
  if (table.Language) {
    values.Language = LanguageName(*table.Language);
  }
  const std::string prefix = "\\StringFileInfo\\" + table.Key + "\\";
  std::string query;
  for (const TVersionStringKey& key : StringKeys) {
    query.assign(prefix).append(key.Key);
    if (std::optional<std::string> text = buffer.Text(query)) {
      values.*key.Target = std::move(*text);
    }
  }
}
