#include "DialogBoxes.h"

namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct TDialogSearch {
  HWND Skipped;
  HWND Found;
};

BOOL CALLBACK FindWaiting(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TDialogSearch*>(data);
  if (window != search.Skipped && ClassOf(window) == "#32770" && IsWindowVisible(window) &&
      IsWindowEnabled(window)) {
    search.Found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK ReadPart(HWND part, LPARAM seen) {
  auto& box = *reinterpret_cast<TMessageBoxSeen*>(seen);
  const LONG_PTR style = GetWindowLongPtrA(part, GWL_STYLE);
  const std::string kind = ClassOf(part);
  if (kind == "Button" && (style & WS_VISIBLE) != 0) {
    box.Buttons.push_back(GetDlgCtrlID(part));
  } else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
    // The system's icons are shared, so the box shows the very handle LoadIcon answers.
    const auto icon = reinterpret_cast<HICON>(SendMessageA(part, STM_GETICON, 0, 0));
    box.ErrorIcon = icon != nullptr && icon == LoadIconA(nullptr, IDI_ERROR);
  }
  return TRUE;
}

} // namespace

HWND WaitingDialog(HWND skipped) {
  TDialogSearch search{skipped, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &FindWaiting, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

TMessageBoxSeen ReadDialogBox(HWND dialog) {
  TMessageBoxSeen box;
  char text[512] = {};
  GetWindowTextA(dialog, text, sizeof text);
  box.Caption = text;
  box.Text = DialogItemText(dialog, 0xFFFF); // a message box's message is this static
  EnumChildWindows(dialog, &ReadPart, reinterpret_cast<LPARAM>(&box));
  return box;
}

std::string DialogItemText(HWND dialog, int id) {
  char text[1024] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}
