#pragma once

#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string>

// The process's error mode, set for the life of the object and then put back, so that no
// system box asks for a disk in an empty drive meanwhile.
class TErrorModeScope {
public:
  explicit TErrorModeScope(UINT mode) : FPrevious(SetErrorMode(mode)) {}
  ~TErrorModeScope() { SetErrorMode(FPrevious); }
  TErrorModeScope(const TErrorModeScope&) = delete;
  TErrorModeScope& operator=(const TErrorModeScope&) = delete;

private:
  UINT FPrevious;
};

// Whether the path names a folder the user can see: a drive root ("C:\") of a drive that
// exists, or a directory that is neither hidden nor a system folder. One trailing "\" is
// allowed; a path with wildcards names no directory.
bool IsExistingDirectory(const std::string& path);
// The path the dialog is asked to select for a folder path: without one trailing "\",
// except that a drive root ("C:\") and "\" keep theirs and a bare drive ("C:") gets one.
std::string DialogPathText(const std::string& path);
// The file-system path of an item; none for an item without one.
std::optional<std::string> FileSystemPath(LPCITEMIDLIST list);
