#include "ErrorReports.h"

namespace {

TMessageBoxAnswerer* Answerer = nullptr;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  if (ClassOf(window) == "#32770") {
    *reinterpret_cast<HWND*>(found) = window;
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

void TErrorListener::Heard(TObject* sender, const std::exception& error) {
  Senders.push_back(sender);
  Messages.push_back(error.what());
  Threads.push_back(GetCurrentThreadId());
}

TMessageBoxAnswerer::TMessageBoxAnswerer() : FTimer(SetTimer(nullptr, 0, 20, &Tick)) {
  Answerer = this;
}

TMessageBoxAnswerer::~TMessageBoxAnswerer() {
  KillTimer(nullptr, FTimer);
  Answerer = nullptr;
}

void CALLBACK TMessageBoxAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
  // The click posted last time may not have closed the box yet.
  if (Answerer == nullptr || dialog == nullptr || dialog == Answerer->FAnswered) {
    return;
  }
  TMessageBoxSeen box;
  char text[512] = {};
  GetWindowTextA(dialog, text, sizeof text);
  box.Caption = text;
  text[0] = '\0';
  GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text); // the message's static control
  box.Text = text;
  EnumChildWindows(dialog, &ReadPart, reinterpret_cast<LPARAM>(&box));
  Answerer->Seen.push_back(box);
  Answerer->FAnswered = dialog;
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}
