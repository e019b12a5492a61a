#pragma once

#include "ComPtr.h"
#include "Component.h"
#include "Event.h"
#include "Form.h"
#include "ItemIdList.h"
#include "Strings.h"

#include <shlobj.h>

#include <stdexcept>
#include <string>
#include <vector>

// What the shell browser raises when a folder or an object cannot be found or bound.
class EShellBrowserError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The canonical verb of the context-menu command chosen; the handler clears execute to keep
// the command from being carried out.
using TOnContextMenuSelectEvent = TEvent<const std::string&, bool&>;

// Binds to one object of the shell's namespace (a folder, and one object in it) and acts on
// that object through the shell: its context menu, a verb, a new name. It works through the
// namespace's interfaces and item identifier lists only, never on the file itself.
class TShellBrowser : public TComponent, private TFormMessageHook {
public:
  // Binds My Computer, with no object.
  explicit TShellBrowser(TComponent* owner);
  ~TShellBrowser() override;

  // The bound object's name: its file name, a drive root's whole path, or empty. Writing a
  // full path binds its folder (again only when the folder differs, case aside) and the
  // object; a name alone is looked for in the bound folder.
  std::string ObjectName() const;
  void SetObjectName(const std::string& value);
  // The bound folder's path, ending in "\"; empty when it has none (My Computer). Writing
  // binds that folder, with no object; empty binds My Computer.
  const std::string& Folder() const { return FFolder; }
  void SetFolder(const std::string& value);
  // The masks the object search matches names against, separated by ";".
  std::string Filter() const;
  void SetFilter(const std::string& value);
  // The object search passes over objects outside the file system.
  bool FileSystemOnly() const { return FFileSystemOnly; }
  void SetFileSystemOnly(bool value) { FFileSystemOnly = value; }
  // Names of several objects to act on at once; this program acts on one, so it stays empty.
  TStrings& MultiObjects() { return FMultiObjects; }
  // The bound folder itself.
  const TComPtr<IShellFolder>& ShellFolder() const { return FShellFolder; }

  // Carries out the verb ("default" when empty) on the bound object; answers whether the
  // shell did. "delete" answers false while the object is still there afterwards.
  bool InvokeVerb(const std::string& verb);
  // Shows the bound object's context menu with its top-left corner at the screen point and
  // carries out the command chosen; verb receives that command's canonical verb, or empty
  // when nothing was carried out (or "delete" left the object in place).
  void ShowContextMenu(POINT point, std::string& verb);
  // Asks the shell to give the bound object the name, then replaces the name with the
  // object's display name after the attempt: the new one or, refused, the old one.
  void Rename(std::string& name);
  // The bound object's normal display name; ObjectName when the shell gives none.
  std::string GetDisplayName() const;
  // Binds the folder that the absolute list names, with no object.
  void SetFolderIDList(LPCITEMIDLIST list);
  // The window the shell's own dialogs belong to: the owner's, once it is loaded.
  HWND OwnerWindow() const;
  // Whether the path names something that exists, or is a drive designation.
  static bool ObjectExists(const std::string& path);

  // Binds the next object of the bound folder that the search lets through; false when the
  // folder has no more.
  bool NextObject();
  // Whether the bound object is a folder or its name matches one of the filter's masks.
  bool MatchesFilter() const;
  // "*" matches any run of characters, "?" any one; letters match in either case.
  static bool MatchMask(const std::string& name, const std::string& mask);

  // Called instead of renaming when the user chooses the context menu's Rename, which the
  // menu offers only while this is assigned.
  TEvent<> OnRename;
  TOnContextMenuSelectEvent OnContextMenuSelect;

  void Loaded() override;
  TPropertyList PublishedProperties() override;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  // The command identifiers the context menus are given; a command's offset is its
  // identifier less the first.
  static constexpr UINT FirstCommand = 1;
  static constexpr UINT LastCommand = 0x7FFF;

  bool FormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  void BindObject(TItemIdList object);
  // The folder itself becomes the object, bound in its parent (a drive root, say).
  void SelectFolderAsObject();
  void FindObject(const std::string& name);
  // The bound folder joined with the bound object; built on first use.
  LPCITEMIDLIST AbsoluteObjectList() const;
  SFGAOF Attributes(SFGAOF mask) const;
  // Whether the object search passes over the bound object as one outside the file system.
  bool SkippedOutsideFileSystem() const;
  TComPtr<IContextMenu> ObjectContextMenu() const;
  bool InvokeDefault(IContextMenu& menu, const std::string& path);
  HRESULT InvokeCommand(IContextMenu& menu, LPCSTR verb) const;
  // Shows the menu and carries out the command chosen; answers its verb, or empty.
  std::string CarryOutChoice(IContextMenu& menu, HMENU popup, POINT point);

  std::string FFolder;
  TComPtr<IShellFolder> FShellFolder;
  TItemIdList FFolderIDList;
  TItemIdList FObjectIDList;
  mutable TItemIdList FAbsoluteObjectList;
  TComPtr<IEnumIDList> FEnumerator;
  std::vector<std::string> FMasks;
  bool FFileSystemOnly = false;
  TStringList FMultiObjects;
  // Held only while the context menu is on screen, for the menu messages the owner gets.
  TComPtr<IContextMenu2> FContextMenu2;
  bool FLoaded = false;
  TForm* FHookedForm = nullptr;
};
