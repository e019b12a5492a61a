#pragma once

#include <string>

// A new folder under the temporary folder, removed with everything in it when the object
// goes, also when whatever fills it fails half-way.
class TTemporaryFolder {
public:
  // The name is the stem of the folder's name; the process id makes it unique.
  explicit TTemporaryFolder(const std::string& name);
  ~TTemporaryFolder();
  TTemporaryFolder(const TTemporaryFolder&) = delete;
  TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;

  // The folder's full path, without a trailing backslash.
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
};
