#include "ShellSession.h"

#include "ComPtr.h"
#include "ItemIdList.h"

IShellFolder* DesktopFolder() {
  // Kept to the end of the process like the allocator: the desktop folder is the shell's own
  // object in this process, which outlives OLE.
  static const TComPtr<IShellFolder> desktop = [] {
    TComPtr<IShellFolder> folder;
    if (FAILED(SHGetDesktopFolder(folder.put()))) {
      folder.reset();
    }
    return folder;
  }();
  return desktop.get();
}

TShellSession::TShellSession()
    : FAvailable(ShellMalloc() != nullptr && DesktopFolder() != nullptr) {
  if (!FAvailable) {
    MessageBoxA(nullptr, "Cannot find Shell!", nullptr, MB_OK);
  }
}
