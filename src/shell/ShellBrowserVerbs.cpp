#include "ShellBrowser.h"

#include "ShellText.h"
#include "UniqueHandle.h"
#include "WaitCursor.h"

#include <shellapi.h>

// Verbs and renaming: what the browser has the shell do to the bound object.

TComPtr<IContextMenu> TShellBrowser::ObjectContextMenu() const {
  TComPtr<IContextMenu> menu;
  LPCITEMIDLIST objects[] = {FObjectIDList.get()};
  if (FAILED(FShellFolder->GetUIObjectOf(OwnerWindow(), 1, objects, IID_IContextMenu, nullptr,
                                         menu.put_void()))) {
    menu.reset();
  }
  return menu;
}

HRESULT TShellBrowser::InvokeCommand(IContextMenu& menu, LPCSTR verb) const {
  CMINVOKECOMMANDINFO command = {};
  command.cbSize = sizeof command;
  command.hwnd = OwnerWindow();
  command.lpVerb = verb;
  command.nShow = SW_SHOWNORMAL;
  return menu.InvokeCommand(&command);
}

bool TShellBrowser::InvokeVerb(const std::string& verb) {
  if (!FShellFolder || !FObjectIDList) {
    return false;
  }
  const std::string name = verb.empty() ? "default" : verb;
  const std::string upper = AsciiUpperCase(name);
  if (upper == "DELETE" && (Attributes(SFGAO_CANDELETE) & SFGAO_CANDELETE) == 0) {
    return false;
  }
  const TWaitCursor wait;
  const std::string path = FFolder + ObjectName();
  const TComPtr<IContextMenu> menu = ObjectContextMenu();
  if (!menu) {
    return false;
  }
  const bool done = upper == "DEFAULT" ? InvokeDefault(*menu.get(), path)
                                       : SUCCEEDED(InvokeCommand(*menu.get(), name.c_str()));
  // The shell answers success also when the user declined its confirmation.
  return done && !(upper == "DELETE" && ObjectExists(path));
}

bool TShellBrowser::InvokeDefault(IContextMenu& menu, const std::string& path) {
  const TMenuHandle popup(CreatePopupMenu());
  if (popup && SUCCEEDED(menu.QueryContextMenu(popup.get(), 0, FirstCommand, LastCommand,
                                               CMF_DEFAULTONLY))) {
    const UINT command = GetMenuDefaultItem(popup.get(), FALSE, 0);
    if (command != static_cast<UINT>(-1) && command >= FirstCommand) {
      return SUCCEEDED(InvokeCommand(menu, MAKEINTRESOURCEA(command - FirstCommand)));
    }
  }
  // Wine's menus name no default command this way, for any file. A double-click in the shell
  // then does what the file's type does by default, and so does this.
  const HINSTANCE started =
      ShellExecuteA(OwnerWindow(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(started) > 32;
}

void TShellBrowser::Rename(std::string& name) {
  const TWaitCursor wait;
  if (!FShellFolder || !FObjectIDList) {
    name.clear();
    return;
  }
  // The name is the file's own, extension included: taken as a display name, a shell that
  // hides known extensions would add the extension once more (Wine makes "f.txt" of "f").
  const std::wstring wide = WideFromAnsi(name);
  TItemIdList renamed;
  if (FShellFolder->SetNameOf(OwnerWindow(), FObjectIDList.get(), wide.c_str(),
                              SHGDN_INFOLDER | SHGDN_FORPARSING, renamed.put()) == S_OK &&
      renamed) {
    BindObject(std::move(renamed));
  }
  name = GetDisplayName();
}
