#include "BrowseDir.h"
#include "BrowsePaths.h"

#include "ComSession.h"
#include "MainThread.h"
#include "ShellBuffer.h"

#include <optional>

bool TBrowseDirectoryDlg::Execute() {
  FDisplayName.clear();
  const HWND owner = OwnerHandle();
  TShellBuffer displayName = TShellBuffer::Allocate(MAX_PATH);
  if (!displayName) {
    FSelection.clear();
    FSelectionPIDL.reset();
    return false;
  }
  const TComSession com;
  TItemIdList root;
  // The dialog shows the whole namespace when the shell has no such folder.
  SHGetSpecialFolderLocation(owner, RootFolderId(FRoot, IsWindowsNT()), root.put());

  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = root.get();
  info.pszDisplayName = displayName.get();
  info.lpszTitle = FTitle.c_str();
  info.ulFlags = BrowseInfoFlags(FOptions, !FStatusText.empty() || FShowSelectionInStatus);
  info.lpfn = &BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);
  TItemIdList chosen;
  {
    const TErrorModeScope errorMode(SEM_FAILCRITICALERRORS);
    chosen.reset(SHBrowseForFolderA(&info));
  }
  displayName.get()[MAX_PATH - 1] = '\0';

  const bool success = static_cast<bool>(chosen);
  std::string path;
  if (success) {
    const std::optional<std::string> fileSystemPath = FileSystemPath(chosen.get());
    const bool computers = FOptions.Contains(bfComputers);
    // An item without a file-system path (My Computer, a printer) leaves Selection empty
    // rather than taking the dialog's display name for a path.
    if (fileSystemPath) {
      path = *fileSystemPath;
    } else if (computers) {
      path = "\\\\" + std::string(displayName.get());
    }
    FImageIndex = info.iImage;
    if ((fileSystemPath || computers) && info.iImage == -1) {
      SHFILEINFOA file = {};
      SHGetFileInfoA(path.c_str(), 0, &file, sizeof file, SHGFI_SYSICONINDEX);
      FImageIndex = file.iIcon;
    }
    FDisplayName = fileSystemPath.value_or(displayName.get());
  }
  FDialogWindow = nullptr;
  if (success) {
    FSelection = path;
    FSelectionPIDL = std::move(chosen);
  } else {
    FSelection.clear();
    FSelectionPIDL.reset();
  }
  return success;
}

int CALLBACK TBrowseDirectoryDlg::BrowseCallback(HWND window, UINT message, LPARAM lParam,
                                                 LPARAM data) {
  auto* dialog = reinterpret_cast<TBrowseDirectoryDlg*>(data);
  return dialog != nullptr ? dialog->DialogNotification(window, message, lParam) : 0;
}

int TBrowseDirectoryDlg::DialogNotification(HWND window, UINT message, LPARAM lParam) {
  // A name that could not be validated keeps the dialog open unless a handler cancels; so
  // does a handler that fails.
  int result = message == BFFM_VALIDATEFAILEDA ? 1 : 0;
  // The shell calls back from its own dialog procedure, which an error must not cross.
  RunReported([&] {
    switch (message) {
    case BFFM_INITIALIZED:
      DoInitialized(window);
      break;
    case BFFM_SELCHANGED:
      DoSelChanged(window, reinterpret_cast<LPCITEMIDLIST>(lParam));
      break;
    case BFFM_VALIDATEFAILEDA: {
      const char* typed = reinterpret_cast<const char*>(lParam);
      bool cancel = false;
      DoValidateFailed(typed != nullptr ? typed : "", cancel);
      result = cancel ? 0 : 1;
      break;
    }
    default:
      break;
    }
  });
  return result;
}

void TBrowseDirectoryDlg::DoInitialized(HWND window) {
  FDialogWindow = window;
  if (FCenter) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SendMessageA(window, BFFM_ENABLEOK, 0, FEnableOKButton ? 1 : 0);
  if (!FStatusText.empty()) {
    SendStatusText();
  }
  if (!FSelection.empty() || FSelectionPIDL) {
    ApplySelection();
  }
  if (!FCaption.empty()) {
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FCaption.c_str()));
  }
  OnCreate(this);
}

void TBrowseDirectoryDlg::DoSelChanged(HWND, LPCITEMIDLIST list) {
  if (!FShowSelectionInStatus && !OnSelChanged) {
    return;
  }
  const std::string path = FileSystemPath(list).value_or("");
  if (FShowSelectionInStatus) {
    SetStatusText(path);
  }
  OnSelChanged(this, path, list);
}

void TBrowseDirectoryDlg::DoValidateFailed(const std::string& path, bool& cancel) {
  OnValidateFailed(this, path, cancel);
}
