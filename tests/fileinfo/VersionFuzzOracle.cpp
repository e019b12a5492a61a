#include "VersionFuzzOracle.h"

#include "VersionFixtures.h"
#include "VersionFuzzCases.h"
#include "VersionResource.h"
#include "VersionValues.h"

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

const char* const ReachNames[] = {"missing", "found", "outside"};

struct TAnswer {
  TQueryReach Reach = qrMissing;
  std::optional<std::string> Value{};
};

// The system's answer to one query, compared with how far this program's walk says it gets.
TAnswer Ask(TGuardedBuffer& buffer, const std::string& subBlock, std::string& problem) {
  TQueryReach walk = qrMissing;
  if (buffer.Watch(
          [&] { walk = TVersionResource(buffer.Data(), buffer.Size()).Query(subBlock); })) {
    problem += " our walk reads outside the buffer for " + subBlock + ";";
  }
  const std::string before = buffer.Bytes();
  void* value = nullptr;
  UINT length = 0;
  BOOL found = FALSE;
  const bool outside = buffer.Watch(
      [&] { found = VerQueryValueA(buffer.Data(), subBlock.c_str(), &value, &length); });
  const TQueryReach system = outside ? qrOutside : found ? qrFound : qrMissing;
  if (walk != system) {
    problem += std::string(" ") + subBlock + ": the system's query ends " + ReachNames[system] +
               ", our walk " + ReachNames[walk] + ";";
  }
  if (outside) {
    buffer.Restore(before);
    return {system};
  }
  const char* at = static_cast<const char*>(value);
  const char* end = buffer.Data() + buffer.Size();
  if (!found || at < buffer.Data() || at > end || length > static_cast<std::size_t>(end - at)) {
    return {system};
  }
  return {system, std::string(at, length)};
}

std::string LanguageName(WORD language) {
  char name[2000];
  VerLanguageNameA(language, name, sizeof name);
  return name;
}

} // namespace

TVersionInfoValues SystemVersionValues(TGuardedBuffer& buffer, std::string& problem) {
  TVersionInfoValues values;
  std::optional<std::pair<WORD, WORD>> translation;
  const std::optional<std::string> entry = Ask(buffer, "\\VarFileInfo\\Translation", problem).Value;
  if (entry && entry->size() >= 4) {
    WORD words[2];
    std::memcpy(words, entry->data(), sizeof words);
    translation = std::make_pair(words[0], words[1]);
  }
  char named[9] = "040904E4";
  if (translation) {
    std::snprintf(named, sizeof named, "%04X%04X", translation->first, translation->second);
  }
  // A retrieval looks for the table without asking the system, so its answer is undone.
  const std::string before = buffer.Bytes();
  const TQueryReach namedReach =
      Ask(buffer, std::string("\\StringFileInfo\\") + named, problem).Reach;
  buffer.Restore(before);
  const TVersionBuffer ours(std::vector<char>(before.begin(), before.end()));
  const TStringTable table = ChooseStringTable(ours, translation);
  // The system's query of a table can go outside where the walk to it does not (with the copy
  // of the table's own value), so then either choice is right. Without a table to fall back
  // to, the named one is still asked for.
  const bool chosen = table.Key == named;
  if ((namedReach == qrFound && !chosen) ||
      (namedReach == qrMissing && chosen && !ours.TableKeys().empty())) {
    problem += " reads table " + table.Key + " where the system's query of " + named + " ends " +
               ReachNames[namedReach] + ";";
  }
  std::optional<WORD> language = table.Language;
  if (chosen) {
    language = translation ? std::optional<WORD>(translation->first) : std::nullopt;
  }
  if (language) {
    values.Language = LanguageName(*language);
  }
  const std::string prefix = "\\StringFileInfo\\" + table.Key + "\\";
  for (const TVersionStringKey& key : VersionStringKeys()) {
    if (const std::optional<std::string> text = Ask(buffer, prefix + key.Key, problem).Value) {
      values.*key.Target = text->substr(0, text->find('\0'));
    }
  }
  // The fixed part's outputs as this program names them, from a block that holds the record.
  const std::optional<std::string> fixed = Ask(buffer, "\\", problem).Value;
  if (fixed && fixed->size() >= sizeof(VS_FIXEDFILEINFO)) {
    VS_FIXEDFILEINFO record;
    std::memcpy(&record, fixed->data(), sizeof record);
    const std::string bytes = VersionBufferOf(EncodeBlock(VersionRoot(record, {})));
    TVersionBuffer wellFormed(std::vector<char>(bytes.begin(), bytes.end()));
    ReadFixedPart(wellFormed, values);
  }
  return values;
}
