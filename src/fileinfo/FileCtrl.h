#pragma once

#include "FileExists.h"
#include "ShellTypeCache.h"

#include "CustomComponent.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <optional>
#include <string>

// Answers, for one file at a time, its size, the shell's name for its type and its index in
// the system image list, and gives the shell's small-icon system image list. Writing
// FileName makes the one directory search that the size and the type rest on; nothing is
// opened or kept open between calls. Nothing is raised: a name that is not a found file
// answers an empty type and a size of 0.
class TFileCtrl : public TCustomComponent {
public:
  explicit TFileCtrl(TComponent* owner) : TCustomComponent(owner) {}

  const std::string& FileName() const { return FFileName; }
  // Makes the name's full path current, whether or not it names a file.
  void SetFileName(const std::string& value);
  // The same, with what a directory search for this very name that the caller has just
  // made found, which is not searched for again.
  void SetFileName(const std::string& value, const std::optional<TFileFacts>& facts);

  // Size in bytes as the directory search found it, so a file that another program holds
  // open shows its true size; 0 when the current name is not a found file.
  std::int64_t FileSize() const { return FFileFacts ? FFileFacts->Size : 0; }
  // The shell's type name, or the extension form when the shell has none; empty when the
  // current name is not a found file.
  std::string FileType() const;

  // The current name's index in the system image list, whether or not it is a found file.
  int GetSystemIconIndex() const { return FShellTypes.IconIndex(FFileName, FFileFacts); }
  // The file associations have changed (the shell announces it): type names and icons are
  // asked of the shell anew.
  void AssociationsChanged() { FShellTypes.Clear(); }
  // The shell's small-icon system image list; it is the shell's, and nobody destroys it.
  HIMAGELIST GetSystemImageList() const { return ShellSmallImageList(); }

private:
  std::string FFileName;
  std::optional<TFileFacts> FFileFacts;
  // What the shell has answered so far; reading it is what fills it.
  mutable TShellTypeCache FShellTypes;
};
