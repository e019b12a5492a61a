#include "ShellDrivers.h"

#include "UniqueHandle.h"
#include "support/Pump.h"
#include "support/TempTree.h"

namespace {

TMenuScript* Script = nullptr;
const char AdvancedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const char TestTextClass[] = "KOVQuilletTest.txt";

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32768" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND ShownMenuWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A Notepad window whose title names the file.
struct TNotepadSearch {
  const std::string& FileName;
  HWND Window = nullptr;
};

BOOL CALLBACK FindNotepad(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TNotepadSearch*>(data);
  char title[512] = {};
  GetWindowTextA(window, title, sizeof title);
  const std::string text = title;
  if (IsWindowVisible(window) && text.find(search.FileName) != std::string::npos &&
      text.find("Notepad") != std::string::npos) {
    search.Window = window;
    return FALSE;
  }
  return TRUE;
}

void PostMenuKey(HWND menuWindow, WORD key) {
  PostMessageA(menuWindow, WM_KEYDOWN, key, 1);
}

std::string WithoutAmpersands(std::string text) {
  std::erase(text, '&');
  return text;
}

} // namespace

std::string OwnTrash() {
  static const TTempTree tree;
  static const bool pointed = [] {
    using TUnixFileName = char*(CDECL*)(LPCWSTR);
    // Through void*, as a function found by name has no type the compiler could check.
    const auto unixFileName = reinterpret_cast<TUnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixFileName == nullptr) {
      return false;
    }
    const std::wstring root(tree.Root().begin(), tree.Root().end());
    char* unixRoot = unixFileName(root.c_str());
    SetEnvironmentVariableA("XDG_DATA_HOME", unixRoot);
    HeapFree(GetProcessHeap(), 0, unixRoot);
    return true;
  }();
  return pointed ? tree.Root() : std::string();
}

TMenuScript::TMenuScript(std::string choice)
    : FChoice(std::move(choice)), FTimer(SetTimer(nullptr, 0, 20, &Tick)) {
  Script = this;
}

TMenuScript::~TMenuScript() {
  KillTimer(nullptr, FTimer);
  Script = nullptr;
}

void CALLBACK TMenuScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (Script != nullptr && !Script->FShown) {
    if (const HWND menuWindow = ShownMenuWindow()) {
      Script->Answer(menuWindow);
    }
  }
}

void TMenuScript::Answer(HWND menuWindow) {
  FShown = true;
  RECT place;
  GetWindowRect(menuWindow, &place);
  FPlace = {place.left, place.top};
  const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  int choice = -1;
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    if ((GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR) != 0) {
      continue;
    }
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    FItems.push_back(WithoutAmpersands(text));
    if (!FChoice.empty() && FItems.back() == FChoice) {
      choice = static_cast<int>(FItems.size()) - 1;
    }
  }
  if (choice < 0) {
    PostMenuKey(menuWindow, VK_ESCAPE);
    return;
  }
  // The first Down selects the first item; separators are passed over.
  for (int step = 0; step <= choice; ++step) {
    PostMenuKey(menuWindow, VK_DOWN);
  }
  PostMenuKey(menuWindow, VK_RETURN);
}

TTextAssociation::TTextAssociation() {
  TRegistryKey existing;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, existing.put()) == ERROR_SUCCESS) {
    return;
  }
  const std::string command = "notepad.exe \"%1\"";
  const std::string openCommand = std::string(TestTextClass) + "\\shell\\open\\command";
  FAdded = true;
  RegSetValueA(HKEY_CLASSES_ROOT, ".txt", REG_SZ, TestTextClass, sizeof TestTextClass - 1);
  RegSetValueA(HKEY_CLASSES_ROOT, openCommand.c_str(), REG_SZ, command.c_str(),
               static_cast<DWORD>(command.size()));
}

TTextAssociation::~TTextAssociation() {
  if (FAdded) {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, TestTextClass);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".txt");
  }
}

THiddenExtensions::THiddenExtensions() {
  DWORD size = sizeof FValue;
  FHadValue = RegGetValueA(HKEY_CURRENT_USER, AdvancedKey, "HideFileExt", RRF_RT_REG_DWORD, nullptr,
                           &FValue, &size) == ERROR_SUCCESS;
  const DWORD hidden = 1;
  RegSetKeyValueA(HKEY_CURRENT_USER, AdvancedKey, "HideFileExt", REG_DWORD, &hidden, sizeof hidden);
}

THiddenExtensions::~THiddenExtensions() {
  if (FHadValue) {
    RegSetKeyValueA(HKEY_CURRENT_USER, AdvancedKey, "HideFileExt", REG_DWORD, &FValue,
                    sizeof FValue);
  } else {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, AdvancedKey, "HideFileExt");
  }
}

bool CloseNotepadOn(const std::string& fileName) {
  TNotepadSearch search{fileName};
  const auto shown = [&search] {
    EnumWindows(&FindNotepad, reinterpret_cast<LPARAM>(&search));
    return search.Window != nullptr;
  };
  if (!PumpUntil(shown, 20000)) {
    return false;
  }
  PostMessageA(search.Window, WM_CLOSE, 0, 0);
  return PumpUntil([&search] { return !IsWindow(search.Window); });
}
