#pragma once

#include <functional>
#include <string>
#include <vector>

class TStrings;

enum TPropertyKind { pkString, pkBoolean, pkStrings };

// One published property of a component, reached by its name: a text, a Boolean or a list
// of strings.
struct TPropertyInfo {
  std::string Name;
  TPropertyKind Kind = pkString;
  std::function<std::string()> GetString;
  std::function<void(const std::string&)> SetString;
  std::function<bool()> GetBoolean;
  std::function<void(bool)> SetBoolean;
  std::function<TStrings&()> Strings;
};

using TPropertyList = std::vector<TPropertyInfo>;

inline TPropertyInfo StringProperty(std::string name, std::function<std::string()> get,
                                    std::function<void(const std::string&)> set) {
  TPropertyInfo info;
  info.Name = std::move(name);
  info.Kind = pkString;
  info.GetString = std::move(get);
  info.SetString = std::move(set);
  return info;
}

inline TPropertyInfo BooleanProperty(std::string name, std::function<bool()> get,
                                     std::function<void(bool)> set) {
  TPropertyInfo info;
  info.Name = std::move(name);
  info.Kind = pkBoolean;
  info.GetBoolean = std::move(get);
  info.SetBoolean = std::move(set);
  return info;
}

inline TPropertyInfo StringsProperty(std::string name, std::function<TStrings&()> strings) {
  TPropertyInfo info;
  info.Name = std::move(name);
  info.Kind = pkStrings;
  info.Strings = std::move(strings);
  return info;
}
