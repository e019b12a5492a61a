#include "ToolBar.h"

#include <commctrl.h>

namespace {
// Button identifiers start above those of dialog buttons (IDOK, IDCANCEL, ...).
constexpr int FirstButtonCommand = 100;
} // namespace

void TToolButton::ActionChanged(const TAction& action) {
  const HWND bar = FToolBar.Handle();
  SendMessageA(bar, TB_ENABLEBUTTON, FCommand, MAKELONG(action.Enabled(), 0));
  SendMessageA(bar, TB_CHANGEBITMAP, FCommand, MAKELPARAM(action.ImageIndex(), 0));
}

TToolBar::TToolBar(TComponent* owner, HWND parent)
    : TWinControl(owner, TOOLBARCLASSNAMEA,
                  TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | CCS_NODIVIDER | CCS_NORESIZE |
                      CCS_NOPARENTALIGN,
                  parent) {
  SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
}

void TToolBar::SetImages(const TImageList& images) {
  SendMessageA(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Handle()));
}

void TToolBar::AddButton(TAction& action) {
  const int command = FirstButtonCommand + ButtonCount();
  TBBUTTON button = {};
  button.iBitmap = action.ImageIndex();
  button.idCommand = command;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = BTNS_BUTTON;
  button.iString = -1;
  SendMessageA(Handle(), TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
  FButtons.push_back(std::make_unique<TToolButton>(*this, command));
  FButtons.back()->SetAction(&action);
}

SIZE TToolBar::IdealSize() const {
  SIZE size = {};
  SendMessageA(Handle(), TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  return size;
}

void TToolBar::CommandNotification(WORD, WORD id) {
  for (const auto& button : FButtons) {
    if (button->Command() == id) {
      button->Click();
      return;
    }
  }
}
