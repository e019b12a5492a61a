#include "PropsStorage.h"

#include "RegIniFile.h"

#include "Strings.h"

#include <windows.h>

#include <algorithm>

namespace {

const char* const BooleanNames[] = {"False", "True"};
const int MaxStoredItems = 1000;

} // namespace

std::string Trim(const std::string& text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && blank(text[first])) {
    ++first;
  }
  while (last > first && blank(text[last - 1])) {
    --last;
  }
  return text.substr(first, last - first);
}

const TPropertyInfo* TPropInfoList::Find(const std::string& name) const {
  for (const TPropertyInfo& property : FProperties) {
    if (lstrcmpiA(property.Name.c_str(), name.c_str()) == 0) {
      return &property;
    }
  }
  return nullptr;
}

TPropsStorage::TPropsStorage(std::string section, TReadValueCallback read,
                             TWriteValueCallback write, TDeleteSectionCallback deleteSection,
                             TValueCountCallback valueCount)
    : FSection(std::move(section)), FRead(std::move(read)), FWrite(std::move(write)),
      FDeleteSection(std::move(deleteSection)), FValueCount(std::move(valueCount)) {}

std::string TPropsStorage::ReadValue(const std::string& section, const std::string& name,
                                     const std::string& defaultValue) const {
  return FRead ? FRead(section, name, defaultValue) : std::string();
}

void TPropsStorage::WriteValue(const std::string& section, const std::string& name,
                               const std::string& text) {
  if (FWrite) {
    FWrite(section, name, text);
  }
}

void TPropsStorage::DeleteSection(const std::string& section) {
  if (FDeleteSection) {
    FDeleteSection(section);
  }
}

std::string TPropsStorage::ListSection(const TPropertyInfo& property) const {
  return FSection + "." + ValueName(property);
}

std::string TPropsStorage::EncodedValue(const TPropertyInfo& property) const {
  switch (property.Kind) {
  case pkString:
    return Trim(property.GetString());
  case pkBoolean:
    return BooleanNames[property.GetBoolean() ? 1 : 0];
  case pkStrings:
    return {};
  }
  return {};
}

void TPropsStorage::LoadProperty(const TPropertyInfo& property) {
  try {
    const std::string text = Trim(ReadValue(FSection, ValueName(property), EncodedValue(property)));
    switch (property.Kind) {
    case pkString:
      property.SetString(text);
      break;
    case pkBoolean:
      // The first name that matches wins; any other word leaves the property as it is.
      for (int value = 0; value < 2; ++value) {
        if (lstrcmpiA(text.c_str(), BooleanNames[value]) == 0) {
          property.SetBoolean(value == 1);
          break;
        }
      }
      break;
    case pkStrings:
      LoadStrings(property);
      break;
    }
  } catch (...) {
    // One unreadable property never stops the others.
  }
}

void TPropsStorage::LoadStrings(const TPropertyInfo& property) {
  const std::string section = ListSection(property);
  // A corrupt count must not make the start read (and list) millions of items: no more are
  // read than the section holds values, nor more than any list of masks could want.
  int count = StrToIntDef(Trim(ReadValue(section, "Count", "0")), 0);
  if (FValueCount) {
    count = std::min(count, FValueCount(section));
  }
  count = std::min(count, MaxStoredItems);
  if (count <= 0) {
    return;
  }
  TStringList items;
  for (int index = 0; index < count; ++index) {
    items.Add(ReadValue(section, "Item" + std::to_string(index), ""));
  }
  property.Strings().Assign(items);
}

void TPropsStorage::SaveProperty(const TPropertyInfo& property) {
  if (property.Kind == pkStrings) {
    SaveStrings(property);
    return;
  }
  const std::string text = EncodedValue(property);
  if (text.empty() && property.Kind != pkString) {
    return;
  }
  WriteValue(FSection, ValueName(property), text);
}

void TPropsStorage::SaveStrings(const TPropertyInfo& property) {
  const std::string section = ListSection(property);
  DeleteSection(section);
  const TStrings& items = property.Strings();
  if (items.Count() == 0) {
    return; // an empty list is stored as the absence of its section
  }
  WriteValue(section, "Count", std::to_string(items.Count()));
  for (int index = 0; index < items.Count(); ++index) {
    WriteValue(section, "Item" + std::to_string(index), items.Get(index));
  }
}
