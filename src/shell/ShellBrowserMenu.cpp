#include "ShellBrowser.h"

#include "UniqueHandle.h"

#include <cstring>

// The bound object's context menu, and the menu messages its owner passes on meanwhile.

namespace {

// Lets go of the menu's second interface however the menu ends.
class TMenuOnScreen {
public:
  explicit TMenuOnScreen(TComPtr<IContextMenu2>& held) : FHeld(held) {}
  ~TMenuOnScreen() { FHeld.reset(); }
  TMenuOnScreen(const TMenuOnScreen&) = delete;
  TMenuOnScreen& operator=(const TMenuOnScreen&) = delete;

private:
  TComPtr<IContextMenu2>& FHeld;
};

} // namespace

void TShellBrowser::ShowContextMenu(POINT point, std::string& verb) {
  verb.clear();
  if (!FShellFolder || !FObjectIDList) {
    return;
  }
  const std::string path = FFolder + ObjectName();
  const TComPtr<IContextMenu> menu = ObjectContextMenu();
  const TMenuHandle popup(CreatePopupMenu());
  if (!menu || !popup) {
    return;
  }
  const TMenuOnScreen onScreen(FContextMenu2);
  menu.QueryInterface(IID_IContextMenu2, FContextMenu2);
  // Without a rename handler the shell leaves its Rename out: renaming is done elsewhere.
  const UINT flags = CMF_EXPLORE | (OnRename ? CMF_CANRENAME : 0);
  if (SUCCEEDED(menu->QueryContextMenu(popup.get(), 0, FirstCommand, LastCommand, flags))) {
    verb = CarryOutChoice(*menu.get(), popup.get(), point);
  }
  if (AsciiUpperCase(verb) == "DELETE" && ObjectExists(path)) {
    verb.clear();
  }
}

std::string TShellBrowser::CarryOutChoice(IContextMenu& menu, HMENU popup, POINT point) {
  const auto command = static_cast<UINT>(TrackPopupMenu(
      popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, OwnerWindow(), nullptr));
  if (command < FirstCommand) {
    return {};
  }
  const UINT_PTR offset = command - FirstCommand;
  char canonical[MAX_PATH] = {};
  if (FAILED(menu.GetCommandString(offset, GCS_VERBA, nullptr, canonical, sizeof canonical))) {
    canonical[0] = '\0';
  }
  const std::string verb(canonical, strnlen(canonical, sizeof canonical));
  if (OnRename && AsciiUpperCase(verb) == "RENAME") {
    OnRename(this);
    return verb;
  }
  bool execute = true;
  OnContextMenuSelect(this, verb, execute);
  if (!execute || FAILED(InvokeCommand(menu, MAKEINTRESOURCEA(offset)))) {
    return {};
  }
  return verb;
}

bool TShellBrowser::FormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!FContextMenu2 ||
      (message != WM_INITMENUPOPUP && message != WM_MEASUREITEM && message != WM_DRAWITEM)) {
    return false;
  }
  // The menu's own items (a "Send to" sub-menu, say) are filled and drawn by the shell. Wine's
  // shell answers E_NOTIMPL and its menu draws itself all the same.
  FContextMenu2->HandleMenuMsg(message, wParam, lParam);
  result = 0;
  return true;
}
