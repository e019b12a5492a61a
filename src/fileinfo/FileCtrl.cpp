#include "FileCtrl.h"

#include "FileTypeName.h"

namespace {

// The name's full path, or the name as given when it has none that fits.
std::string FullPathName(const std::string& name) {
  char buffer[MAX_PATH];
  const DWORD length = GetFullPathNameA(name.c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length >= MAX_PATH) {
    return name;
  }
  return std::string(buffer, length);
}

} // namespace

void TFileCtrl::SetFileName(const std::string& value) {
  SetFileName(value, FindFileFacts(value));
}

void TFileCtrl::SetFileName(const std::string& value, const std::optional<TFileFacts>& facts) {
  // A name that is not a found file becomes current too, so the row written for it never
  // shows the facts of the file before.
  FFileFacts = facts;
  FFileName = FullPathName(value);
}

std::string TFileCtrl::FileType() const {
  if (!FFileFacts) {
    return {};
  }
  std::string name = FShellTypes.TypeName(FFileName, FFileFacts);
  if (name.empty()) {
    return FallbackTypeName(FFileName);
  }
  return name;
}
