#include "DialogScript.h"

#include <algorithm>
#include <utility>

namespace {

TDialogScript* Script = nullptr;
// The name box of the Explorer-style file dialogs.
const int FileNameBox = 1148;

} // namespace

TDialogScript::TDialogScript(std::vector<TAnswer> answers)
    : FAnswers(std::move(answers)), FTimer(SetTimer(nullptr, 0, 20, &Tick)) {
  Script = this;
}

TDialogScript::~TDialogScript() {
  KillTimer(nullptr, FTimer);
  Script = nullptr;
}

void CALLBACK TDialogScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (Script == nullptr) {
    return;
  }
  if (const HWND dialog = WaitingDialog(Script->FAnswered)) {
    Script->Answer(dialog);
  }
}

void TDialogScript::Answer(HWND dialog) {
  FSeen.push_back(ReadDialogBox(dialog));
  FAnswered = dialog;
  if (FSeen.size() <= FAnswers.size()) {
    FAnswers[FSeen.size() - 1](dialog);
    return;
  }
  const std::vector<int>& buttons = FSeen.back().Buttons;
  const bool cancels = std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end();
  Press(cancels ? IDCANCEL : IDOK)(dialog);
}

TDialogScript::TAnswer Press(int button) {
  return [button](HWND dialog) { PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0); };
}

TDialogScript::TAnswer TypeFileName(const std::string& name) {
  return [name](HWND dialog) {
    SendMessageA(GetDlgItem(dialog, FileNameBox), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(name.c_str()));
    Press(IDOK)(dialog);
  };
}
