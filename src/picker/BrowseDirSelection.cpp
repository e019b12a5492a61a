#include "BrowseDir.h"
#include "BrowsePaths.h"

#include "ComPtr.h"
#include "Paths.h"

namespace {

bool IsNetworkPath(const std::string& path) {
  return path.starts_with("\\\\");
}

// The desktop's list for the path, as the shell parses it; empty when it cannot. A path too
// long for the shell is not cut to a shorter one, which could name another folder.
TItemIdList ParsedPath(IShellFolder& desktop, HWND window, const std::string& path) {
  wchar_t wide[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0) {
    return {};
  }
  TItemIdList parsed;
  ULONG eaten = 0;
  if (FAILED(desktop.ParseDisplayName(window, nullptr, wide, &eaten, parsed.put(), nullptr))) {
    parsed.reset();
  }
  return parsed;
}

} // namespace

void TBrowseDirectoryDlg::SetSelection(const std::string& value) {
  if (value == FSelection) {
    return;
  }
  FSelection = value;
  if (!FSelection.empty() && !EndsWithBackslash(FSelection) && IsExistingDirectory(FSelection)) {
    FSelection += '\\';
  } else if (FSelection.empty()) {
    FSelectionPIDL.reset();
  }
  if (FShowSelectionInStatus) {
    SetStatusText(FSelection);
  }
  if (FDialogWindow != nullptr) {
    ApplySelection();
  }
}

void TBrowseDirectoryDlg::ApplySelection() {
  if (FSelection.empty() && FSelectionPIDL) {
    FSelection = FileSystemPath(FSelectionPIDL.get()).value_or("");
    SendMessageA(FDialogWindow, BFFM_SETSELECTIONA, FALSE,
                 reinterpret_cast<LPARAM>(FSelectionPIDL.get()));
    return;
  }
  TComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.put())) || !desktop) {
    return;
  }
  TItemIdList parsed = ParsedPath(*desktop.get(), FDialogWindow, FSelection);
  if (IsNetworkPath(FSelection)) {
    // The dialog cannot select a network path given as text.
    if (parsed) {
      FSelectionPIDL = std::move(parsed);
      SendMessageA(FDialogWindow, BFFM_SETSELECTIONA, FALSE,
                   reinterpret_cast<LPARAM>(FSelectionPIDL.get()));
    }
    return;
  }
  if (parsed) {
    FSelectionPIDL = std::move(parsed);
  }
  const std::string text = DialogPathText(FSelection);
  SendMessageA(FDialogWindow, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}
