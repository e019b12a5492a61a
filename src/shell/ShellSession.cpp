#include "ShellSession.h"

TComPtr<IShellFolder> DesktopFolder() {
  TComPtr<IShellFolder> folder;
  if (FAILED(SHGetDesktopFolder(folder.put()))) {
    folder.reset();
  }
  return folder;
}

TShellSession::TShellSession()
    : FMalloc(ShellMalloc()), FDesktop(DesktopFolder()), FAvailable(FMalloc && FDesktop) {
  if (!FAvailable) {
    MessageBoxA(nullptr, "Cannot find Shell!", nullptr, MB_OK);
  }
}
