#include "ShellBrowser.h"

#include "ShellSession.h"

#include <algorithm>

// The object search: the bound folder's objects one at a time, through the filter.

namespace {

// The special folders an object may be, in the order they are tried.
const int SpecialFolders[] = {
    CSIDL_BITBUCKET,      CSIDL_CONTROLS,
    CSIDL_DESKTOP,        CSIDL_DESKTOPDIRECTORY,
    CSIDL_DRIVES,         CSIDL_FONTS,
    CSIDL_NETHOOD,        CSIDL_NETWORK,
    CSIDL_PERSONAL,       CSIDL_PRINTERS,
    CSIDL_PROGRAMS,       CSIDL_RECENT,
    CSIDL_SENDTO,         CSIDL_STARTMENU,
    CSIDL_STARTUP,        CSIDL_TEMPLATES,
    CSIDL_FAVORITES,      CSIDL_COMMON_STARTMENU,
    CSIDL_COMMON_STARTUP, CSIDL_COMMON_DESKTOPDIRECTORY,
    CSIDL_APPDATA,        CSIDL_PRINTHOOD,
};

// The first special folder that the absolute list names, or -1.
int SpecialFolderOf(LPCITEMIDLIST list, HWND owner) {
  const TComPtr<IShellFolder> desktop = DesktopFolder();
  if (!desktop || list == nullptr) {
    return -1;
  }
  for (const int folder : SpecialFolders) {
    TItemIdList special;
    if (SUCCEEDED(SHGetSpecialFolderLocation(owner, folder, special.put())) && special) {
      const HRESULT order = desktop->CompareIDs(0, list, special.get());
      if (SUCCEEDED(order) && HRESULT_CODE(order) == 0) {
        return folder;
      }
    }
  }
  return -1;
}

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

void TShellBrowser::SetFilter(const std::string& value) {
  std::string text = value.empty() ? "*;" : value;
  if (text.back() != ';') {
    text += ';';
  }
  FMasks.clear();
  for (std::size_t start = 0, end; (end = text.find(';', start)) != std::string::npos;
       start = end + 1) {
    FMasks.push_back(text.substr(start, end - start));
  }
}

std::string TShellBrowser::Filter() const {
  std::string text;
  for (std::size_t index = 0; index < FMasks.size(); ++index) {
    text += (index > 0 ? ";" : "") + FMasks[index];
  }
  return text;
}

bool TShellBrowser::NextObject() {
  if (!FShellFolder) {
    return false;
  }
  if (!FEnumerator &&
      FShellFolder->EnumObjects(OwnerWindow(),
                                SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                FEnumerator.put()) != S_OK) {
    FEnumerator.reset();
    return false;
  }
  for (;;) {
    TItemIdList object;
    if (!FEnumerator || FEnumerator->Next(1, object.put(), nullptr) != S_OK) {
      FEnumerator.reset();
      return false;
    }
    BindObject(std::move(object));
    if (!SkippedOutsideFileSystem() && MatchesFilter()) {
      return true;
    }
  }
}

bool TShellBrowser::SkippedOutsideFileSystem() const {
  const SFGAOF fileSystem = SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR;
  if (!FFileSystemOnly || (Attributes(fileSystem) & fileSystem) != 0) {
    return false;
  }
  // The recycle bin, My Computer and the network are kept: one reaches files through them.
  if (AsciiUpperCase(ObjectName().substr(0, 7)) == "RECYCLE") {
    return false;
  }
  const int special = SpecialFolderOf(AbsoluteObjectList(), OwnerWindow());
  if (special == CSIDL_DRIVES || special == CSIDL_NETWORK) {
    return false;
  }
  return SpecialFolderOf(FFolderIDList.get(), OwnerWindow()) != CSIDL_NETWORK;
}

bool TShellBrowser::MatchesFilter() const {
  if ((Attributes(SFGAO_HASSUBFOLDER | SFGAO_FOLDER) & SFGAO_FOLDER) != 0) {
    return true;
  }
  const std::string name = ObjectName();
  return std::any_of(FMasks.begin(), FMasks.end(),
                     [&name](const std::string& mask) { return MatchMask(name, mask); });
}

bool TShellBrowser::MatchMask(const std::string& name, const std::string& mask) {
  // Backtracks to the last "*" only, so a mask of many stars costs no more than one pass
  // per star. A "*" at the end matches the empty rest of a name, as "a*" matches "a".
  std::size_t at = 0;
  std::size_t maskAt = 0;
  std::size_t star = std::string::npos;
  std::size_t starAt = 0;
  while (at < name.size()) {
    if (maskAt < mask.size() && mask[maskAt] == '*') {
      star = maskAt++;
      starAt = at;
    } else if (maskAt < mask.size() &&
               (mask[maskAt] == '?' || AsciiUpper(mask[maskAt]) == AsciiUpper(name[at]))) {
      ++maskAt;
      ++at;
    } else if (star != std::string::npos) {
      maskAt = star + 1;
      at = ++starAt;
    } else {
      return false;
    }
  }
  while (maskAt < mask.size() && mask[maskAt] == '*') {
    ++maskAt;
  }
  return maskAt == mask.size();
}
