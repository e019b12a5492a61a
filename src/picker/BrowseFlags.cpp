#include "BrowseFlags.h"

#include <shlobj.h>

namespace {

struct TFlagBits {
  TBrowseFlag Flag;
  UINT Bits;
};

const TFlagBits FlagBits[] = {
    {bfDirectoriesOnly, BIF_RETURNONLYFSDIRS},
    {bfDomainOnly, BIF_DONTGOBELOWDOMAIN},
    {bfAncestors, BIF_RETURNFSANCESTORS},
    {bfComputers, BIF_BROWSEFORCOMPUTER},
    {bfPrinters, BIF_BROWSEFORPRINTER},
    {bfIncludeFiles, BIF_BROWSEINCLUDEFILES},
    // Without validation a name typed into the edit box would be taken unchecked.
    {bfEditBox, BIF_EDITBOX | BIF_VALIDATE},
    {bfIncludeURLs, BIF_BROWSEINCLUDEURLS},
    {bfNewDialogStyle, BIF_NEWDIALOGSTYLE},
    {bfShareable, BIF_SHAREABLE},
    {bfUseNewUI, BIF_USENEWUI},
};

} // namespace

TBrowseFlags CompleteOptions(TBrowseFlags options) {
  if (options.Contains(bfIncludeURLs)) {
    options.Include(bfIncludeFiles);
    options.Include(bfUseNewUI);
  }
  if (options.Contains(bfShareable)) {
    options.Include(bfUseNewUI);
  }
  if (options.Contains(bfUseNewUI)) {
    options.Include(bfEditBox);
    options.Include(bfNewDialogStyle);
  }
  return options;
}

UINT BrowseInfoFlags(TBrowseFlags options, bool withStatus) {
  UINT flags = withStatus ? BIF_STATUSTEXT : 0;
  for (const TFlagBits& entry : FlagBits) {
    if (options.Contains(entry.Flag)) {
      flags |= entry.Bits;
    }
  }
  return flags;
}

int RootFolderId(TRootID root, bool windowsNT) {
  if (!windowsNT) {
    switch (root) {
    case idCommonStartMenu:
      return idStartMenu;
    case idCommonPrograms:
      return idPrograms;
    case idCommonStartup:
      return idStartup;
    case idCommonDesktopDirectory:
      return idDesktopDirectory;
    default:
      break;
    }
  }
  return root;
}

bool IsWindowsNT() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}
