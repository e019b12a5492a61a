#include "ShellBrowser.h"

#include "Paths.h"
#include "ShellSession.h"
#include "ShellText.h"
#include "UniqueHandle.h"

#include <vector>

// Binding: the folder and the object the browser acts on, and their names.

namespace {

bool SameText(const std::string& text1, const std::string& text2) {
  return lstrcmpiA(text1.c_str(), text2.c_str()) == 0;
}

// The file-system path of an absolute list; empty when it has none. The shell writes at most
// MAX_PATH characters, and fails on a longer path rather than cutting it short.
std::string PathOfList(LPCITEMIDLIST list) {
  char path[MAX_PATH + 1] = {};
  if (list == nullptr || !SHGetPathFromIDListA(list, path)) {
    return {};
  }
  return path;
}

std::string WithBackslash(std::string path) {
  if (!path.empty() && !EndsWithBackslash(path)) {
    path += '\\';
  }
  return path;
}

// The path's drive: "C:" or "\\server\share"; empty when it has none.
std::string DrivePart(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':') {
    return path.substr(0, 2);
  }
  if (path.starts_with("\\\\")) {
    const std::size_t share = NextDelimiter(path, "\\", 2);
    if (share != std::string::npos) {
      return path.substr(0, NextDelimiter(path, "\\", share + 1));
    }
  }
  return {};
}

// The list the folder makes of a name; empty when it cannot parse the name.
TItemIdList ParseName(IShellFolder& folder, const std::string& name) {
  std::wstring wide = WideFromAnsi(name);
  TItemIdList list;
  if (folder.ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, list.put(), nullptr) !=
      S_OK) {
    list.reset();
  }
  return list;
}

// The name of a domain or server the shell describes by a network resource; empty for
// anything else.
std::string NetworkName(IShellFolder& folder, LPCITEMIDLIST object) {
  std::vector<BYTE> buffer(sizeof(NETRESOURCEA) + 4 * MAX_PATH);
  const int size = static_cast<int>(buffer.size());
  if (FAILED(SHGetDataFromIDListA(&folder, object, SHGDFIL_NETRESOURCE, buffer.data(), size))) {
    return {};
  }
  const auto& resource = *reinterpret_cast<const NETRESOURCEA*>(buffer.data());
  const char* name = resource.lpRemoteName;
  const char* begin = reinterpret_cast<const char*>(buffer.data());
  const char* end = begin + buffer.size();
  if ((resource.dwDisplayType != RESOURCEDISPLAYTYPE_DOMAIN &&
       resource.dwDisplayType != RESOURCEDISPLAYTYPE_SERVER) ||
      name < begin || name >= end) {
    return {};
  }
  return std::string(name, strnlen(name, static_cast<std::size_t>(end - name)));
}

} // namespace

TShellBrowser::TShellBrowser(TComponent* owner) : TComponent(owner), FMasks{"*"} {
  // Without the shell the program is ending (the session told the user); nothing is bound.
  if (DesktopFolder()) {
    SetFolder("");
  }
}

TShellBrowser::~TShellBrowser() {
  if (FHookedForm != nullptr) {
    FHookedForm->RemoveMessageHook(this);
  }
}

void TShellBrowser::Loaded() {
  TComponent::Loaded();
  if (auto* form = dynamic_cast<TForm*>(Owner())) {
    form->AddMessageHook(this);
    FHookedForm = form;
    // The form goes before the components it owns; it tells this one first.
    FreeNotification(form);
  }
  FLoaded = true;
}

void TShellBrowser::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && FHookedForm != nullptr && component == FHookedForm) {
    FHookedForm = nullptr;
  }
}

TPropertyList TShellBrowser::PublishedProperties() {
  return {
      StringProperty(
          "Folder", [this] { return Folder(); },
          [this](const std::string& value) { SetFolder(value); }),
      StringProperty(
          "ObjectName", [this] { return ObjectName(); },
          [this](const std::string& value) { SetObjectName(value); }),
      StringProperty(
          "Filter", [this] { return Filter(); },
          [this](const std::string& value) { SetFilter(value); }),
      BooleanProperty(
          "FileSystemOnly", [this] { return FileSystemOnly(); },
          [this](bool value) { SetFileSystemOnly(value); }),
      StringsProperty("MultiObjects", [this]() -> TStrings& { return FMultiObjects; }),
  };
}

HWND TShellBrowser::OwnerWindow() const {
  // Before that, and for an owner without a window, the shell's dialogs belong to no window.
  const auto* control = dynamic_cast<const TWinControl*>(Owner());
  return FLoaded && control != nullptr ? control->Handle() : nullptr;
}

bool TShellBrowser::ObjectExists(const std::string& path) {
  if ((path.size() == 2 || path.size() == 3) && path[1] == ':') {
    return true;
  }
  WIN32_FIND_DATAA data;
  const TFindHandle found(FindFirstFileA(path.c_str(), &data));
  return static_cast<bool>(found);
}

void TShellBrowser::SetFolder(const std::string& value) {
  if (!value.empty() && SameText(value, FFolder)) {
    return;
  }
  TItemIdList list;
  if (const TComPtr<IShellFolder> desktop = DesktopFolder()) {
    if (!value.empty()) {
      list = ParseName(*desktop.get(), value);
    } else if (FAILED(SHGetSpecialFolderLocation(OwnerWindow(), CSIDL_DRIVES, list.put()))) {
      list.reset();
    }
  }
  if (!list) {
    throw EShellBrowserError("Cannot Find Folder: " + value);
  }
  SetFolderIDList(list.get());
}

void TShellBrowser::SetFolderIDList(LPCITEMIDLIST list) {
  const TComPtr<IShellFolder> desktop = DesktopFolder();
  TItemIdList desktopList = TItemIdList::Empty();
  TComPtr<IShellFolder> folder;
  TItemIdList folderList;
  const HRESULT order = desktop && list != nullptr && desktopList
                            ? desktop->CompareIDs(0, list, desktopList.get())
                            : E_INVALIDARG;
  if (SUCCEEDED(order) && HRESULT_CODE(order) == 0) {
    folder = desktop;
    folderList = std::move(desktopList);
  } else {
    if (!desktop || list == nullptr ||
        FAILED(desktop->BindToObject(list, nullptr, IID_IShellFolder, folder.put_void()))) {
      throw EShellBrowserError(
          "ShellBrowser.SetFolderIDList: Desktop.BindToObject: Could not get Folder");
    }
    // A copy before the old list goes: the list given may be that one.
    folderList = TItemIdList::Copy(list);
  }
  FShellFolder = std::move(folder);
  FEnumerator.reset();
  FFolderIDList = std::move(folderList);
  BindObject({});
  FFolder = WithBackslash(PathOfList(FFolderIDList.get()));
}

void TShellBrowser::BindObject(TItemIdList object) {
  FObjectIDList = std::move(object);
  FAbsoluteObjectList.reset();
}

LPCITEMIDLIST TShellBrowser::AbsoluteObjectList() const {
  if (!FAbsoluteObjectList && FFolderIDList && FObjectIDList) {
    FAbsoluteObjectList = TItemIdList::Join(FFolderIDList.get(), FObjectIDList.get());
  }
  return FAbsoluteObjectList.get();
}

void TShellBrowser::SetObjectName(const std::string& value) {
  // Whatever the outcome, no earlier object stays bound: a verb that follows a failed write
  // acts on nothing rather than on the object before.
  BindObject({});
  if (value.empty()) {
    return;
  }
  std::string name = value;
  if (name.size() > 3 && EndsWithBackslash(name)) {
    name.pop_back();
  }
  if (LastDelimiter(name, "\\") == std::string::npos) {
    FindObject(name);
  } else if (name.size() <= 3) {
    SetFolder(name);
    SelectFolderAsObject();
  } else {
    const std::size_t split = LastDelimiter(name, "\\:");
    SetFolder(name.substr(0, split + 1));
    SetObjectName(name.substr(split + 1));
  }
}

void TShellBrowser::SelectFolderAsObject() {
  auto [parent, folder] = TItemIdList::SplitLast(FFolderIDList.get());
  if (!parent) {
    return;
  }
  SetFolderIDList(parent.get());
  BindObject(std::move(folder));
}

void TShellBrowser::FindObject(const std::string& name) {
  if (FShellFolder) {
    if (TItemIdList object = ParseName(*FShellFolder.get(), name)) {
      BindObject(std::move(object));
      return;
    }
  }
  // Some names only the enumeration knows: a display name without its extension, say.
  FEnumerator.reset();
  bool found = false;
  while (!found && NextObject()) {
    found = GetDisplayName() == name || ObjectName() == name;
  }
  FEnumerator.reset();
  if (!found) {
    BindObject({});
    throw EShellBrowserError("Error! Cannot find Object \"" + name + "\" in Folder \"" + FFolder +
                             "\"");
  }
}

std::string TShellBrowser::ObjectName() const {
  if (!FFolderIDList || !FObjectIDList) {
    return {};
  }
  const std::string path = PathOfList(AbsoluteObjectList());
  const std::string drive = DrivePart(path);
  if (!drive.empty() && drive == path.substr(0, path.size() - 1)) {
    return path;
  }
  const std::size_t last = LastDelimiter(path, "\\:");
  std::string name = last == std::string::npos ? path : path.substr(last + 1);
  if (name.empty() && FShellFolder) {
    name = NetworkName(*FShellFolder.get(), FObjectIDList.get());
  }
  return name;
}

std::string TShellBrowser::GetDisplayName() const {
  std::string text;
  STRRET value = {};
  if (FShellFolder && FObjectIDList &&
      FShellFolder->GetDisplayNameOf(FObjectIDList.get(), SHGDN_NORMAL, &value) == S_OK) {
    text = StrRetText(value, FObjectIDList.get());
  }
  return text.empty() ? ObjectName() : text;
}

SFGAOF TShellBrowser::Attributes(SFGAOF mask) const {
  if (!FShellFolder || !FObjectIDList) {
    return 0;
  }
  LPCITEMIDLIST objects[] = {FObjectIDList.get()};
  SFGAOF attributes = mask;
  return SUCCEEDED(FShellFolder->GetAttributesOf(1, objects, &attributes)) ? attributes : 0;
}
