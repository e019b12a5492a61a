#pragma once

#include "Component.h"

#include <functional>
#include <string>

// The published properties of one component, looked up by name without regard to case.
class TPropInfoList {
public:
  explicit TPropInfoList(TComponent& component) : FProperties(component.PublishedProperties()) {}

  const TPropertyInfo* Find(const std::string& name) const;

private:
  TPropertyList FProperties;
};

using TReadValueCallback = std::function<std::string(
    const std::string& section, const std::string& name, const std::string& defaultValue)>;
using TWriteValueCallback = std::function<void(const std::string& section, const std::string& name,
                                               const std::string& text)>;
using TDeleteSectionCallback = std::function<void(const std::string& section)>;
using TValueCountCallback = std::function<int(const std::string& section)>;

// Turns one component's properties into stored text values and back. Texts are stored
// trimmed, Booleans by their names "False" and "True", and a list of strings as a section of
// its own named "<section>.<value name>" with a "Count" and one "Item<n>" per string.
class TPropsStorage {
public:
  // valueCount, when given, tells how many values a section holds: a list never reads more
  // items than that.
  TPropsStorage(std::string section, TReadValueCallback read, TWriteValueCallback write,
                TDeleteSectionCallback deleteSection, TValueCountCallback valueCount = nullptr);

  void SetObject(TComponent* object) { FObject = object; }
  void SetPrefix(const std::string& prefix) { FPrefix = prefix; }
  // The name a property's value is stored under: the prefix, then the declared name.
  std::string ValueName(const TPropertyInfo& property) const { return FPrefix + property.Name; }

  // Restores one property; a failure leaves it as it is and is not reported.
  void LoadProperty(const TPropertyInfo& property);
  // Stores one property; failures are raised.
  void SaveProperty(const TPropertyInfo& property);

private:
  std::string ReadValue(const std::string& section, const std::string& name,
                        const std::string& defaultValue) const;
  void WriteValue(const std::string& section, const std::string& name, const std::string& text);
  void DeleteSection(const std::string& section);
  std::string ListSection(const TPropertyInfo& property) const;
  std::string EncodedValue(const TPropertyInfo& property) const;
  void LoadStrings(const TPropertyInfo& property);
  void SaveStrings(const TPropertyInfo& property);

  std::string FSection;
  TReadValueCallback FRead;
  TWriteValueCallback FWrite;
  TDeleteSectionCallback FDeleteSection;
  TValueCountCallback FValueCount;
  TComponent* FObject = nullptr;
  std::string FPrefix;
};

// The text without its leading and trailing blanks and control characters.
std::string Trim(const std::string& text);
