#include "ErrorReports.h"

namespace {

TMessageBoxAnswerer* Answerer = nullptr;

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
  if (Answerer == nullptr) {
    return;
  }
  // The click posted last time may not have closed the box yet.
  const HWND dialog = WaitingDialog(Answerer->FAnswered);
  if (dialog == nullptr) {
    return;
  }
  Answerer->Seen.push_back(ReadDialogBox(dialog));
  Answerer->FAnswered = dialog;
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}
