#pragma once

#include "UniqueHandle.h"

#include <stdexcept>
#include <string>

class ERegistryException : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A store of named text values in sections, kept in the registry under one key of the
// current user: each section is a sub-key, each value a registry string. Values cross into
// the registry through the wide functions, converted with the program's own code page:
// Wine's "A" functions convert with the system's, which loses what a UTF-8 program holds.
class TRegIniFile {
public:
  // Opens the key, creating it when missing (also for reading). A store opened for reading
  // opens its sections for reading only, and reads a key it may not create or write.
  TRegIniFile(const std::string& keyPath, bool readOnly);

  // The value's text; the default when the section or value is missing. Raises
  // ERegistryException when the value is not a string.
  std::string ReadValue(const std::string& section, const std::string& name,
                        const std::string& defaultValue) const;
  // How many values the section holds; 0 when it is missing.
  int ValueCount(const std::string& section) const;
  // The value as a decimal number; the default when missing or not a number.
  int ReadNumber(const std::string& section, const std::string& name, int defaultValue) const;

  // Raise ERegistryException when the section cannot be created or the value not set.
  void WriteValue(const std::string& section, const std::string& name, const std::string& text);
  void WriteNumber(const std::string& section, const std::string& name, int value);
  void WriteFlag(const std::string& section, const std::string& name, bool value);

  // Removes the section with everything below it; nothing happens when it is missing.
  void DeleteSection(const std::string& section);

private:
  TRegistryKey FKey;
  REGSAM FAccess;
};

// The text as a decimal integer, as the stored settings write numbers; the default when it
// is not one.
int StrToIntDef(const std::string& text, int defaultValue);
