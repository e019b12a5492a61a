#pragma once

#include <windows.h>

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

// The keys the program keeps under its product key.
constexpr const char* MainSection = "Main";
constexpr const char* ItemsSection = "Main.edFileMasks_Items";

// One registry value: its type and its bytes, a string's terminating NUL included, so that
// a comparison also checks how much was written.
struct TStoredValue {
  DWORD Type = REG_SZ;
  std::string Data;
  bool operator==(const TStoredValue&) const = default;
};
std::ostream& operator<<(std::ostream& stream, const TStoredValue& value);

// A registry string as the program writes one.
TStoredValue Sz(const std::string& text);
// A position's value name for the current screen size: "NormPos(1280x1024)".
std::string Suffixed(const std::string& name);

using TStoredValues = std::map<std::string, TStoredValue>;

// Values under the product key, written as an earlier run or a user's hand would have.
void StoreValues(const std::string& section, const TStoredValues& values);
void StoreText(const std::string& section, const std::string& name, const std::string& text);
void StoreDword(const std::string& section, const std::string& name, DWORD value);
// A drop-down list in the layout the program stores: "Count", then "Item0" onwards.
void StoreItems(const std::vector<std::string>& items);

bool ProductKeyExists();
// The names of the keys directly under the product key, sorted.
std::vector<std::string> StoredSections();
// Every value of a section (of the product key itself when empty); empty when it is missing.
TStoredValues StoredValues(const std::string& section);
// The stored list of the drop-down box: "Count" and the items, each as the program writes it.
TStoredValues ItemValues(const std::vector<std::string>& items);
