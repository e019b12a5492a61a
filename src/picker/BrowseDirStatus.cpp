#include "BrowseDir.h"
#include "BrowsePaths.h"
#include "FitStatus.h"

#include "WindowDC.h"

namespace {

// The dialog's status line.
const int StatusControlId = 14147;

struct TControlSearch {
  int Id;
  HWND Found;
};

BOOL CALLBACK FindControl(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TControlSearch*>(data);
  if (GetWindowLongA(window, GWL_ID) == search.Id) {
    search.Found = window;
    return FALSE;
  }
  return TRUE;
}

HWND StatusControl(HWND dialog) {
  TControlSearch search{StatusControlId, nullptr};
  EnumChildWindows(dialog, &FindControl, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

} // namespace

void TBrowseDirectoryDlg::SetStatusText(const std::string& value) {
  if (value != FStatusText) {
    FStatusText = value;
    if (FDialogWindow != nullptr) {
      SendStatusText();
    }
  }
}

void TBrowseDirectoryDlg::SetFitStatusText(bool value) {
  if (value != FFitStatusText) {
    FFitStatusText = value;
    if (FDialogWindow != nullptr) {
      SendStatusText();
    }
  }
}

void TBrowseDirectoryDlg::SendStatusText() const {
  const std::string text = FitStatus();
  SendMessageA(FDialogWindow, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string TBrowseDirectoryDlg::FitStatus() const {
  if (!FFitStatusText || FDialogWindow == nullptr || FStatusText.empty()) {
    return FStatusText;
  }
  const HWND control = StatusControl(FDialogWindow);
  if (control == nullptr) {
    return FStatusText;
  }
  const TWindowDC dc(control, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT bounds = {};
  GetWindowRect(control, &bounds);
  const int width = bounds.right - bounds.left;
  const TTextWidth measure = [&dc](const std::string& text) {
    SIZE size;
    return GetTextExtentPointA(dc.get(), text.c_str(), static_cast<int>(text.size()), &size)
               ? static_cast<int>(size.cx)
               : 0;
  };
  return IsExistingDirectory(FStatusText) ? ShortenFolderPath(FStatusText, width, measure)
                                          : ShortenText(FStatusText, width, measure);
}
