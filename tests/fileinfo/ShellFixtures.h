#pragma once

#include <windows.h>

#include <string>

// The shell's own answers for a name, each from a direct SHGetFileInfoA call, to hold the
// component's answers against.
std::string DirectTypeName(const std::string& path);
int DirectIconIndex(const std::string& path);

// An icon file of one 16 by 16 image filled with one colour.
void WriteIconFile(const std::string& path, COLORREF colour);

// A file type registered for one test and removed afterwards: the extension names the
// type progId, whose default icon is defaultIcon; without a progId the extension's own key
// holds the default icon and names no type.
class TRegisteredType {
public:
  TRegisteredType(std::string extension, std::string progId, const std::string& defaultIcon);
  ~TRegisteredType();
  // Adds an empty key under the type's key, such as "shellex\\IconHandler".
  void AddTypeKey(const std::string& subKey) const;
  // Sets the default value of a key under the type's key; an empty subKey names the type's
  // own key, whose value is the type's name.
  void SetTypeValue(const std::string& subKey, const std::string& value) const;
  TRegisteredType(const TRegisteredType&) = delete;
  TRegisteredType& operator=(const TRegisteredType&) = delete;

private:
  void Register(const std::string& defaultIcon) const;
  void Remove() const;

  HKEY FRoot = HKEY_CURRENT_USER;
  std::string FExtension;
  std::string FProgId;
};
