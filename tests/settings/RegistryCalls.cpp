#include "RegistryCalls.h"

#include "support/ImportSlots.h"

#include "Strings.h"

#include <windows.h>

#include <cstring>
#include <map>
#include <stdexcept>

struct TRegistryHooks {
  static inline TRegistryCalls* Active = nullptr;
  // The functions themselves, as the import slots held them before they were redirected.
  static inline decltype(&RegCreateKeyExA) RealCreateKey = nullptr;
  static inline decltype(&RegOpenKeyExA) RealOpenKey = nullptr;
  static inline decltype(&RegSetValueExW) RealSetValue = nullptr;
  static inline decltype(&RegDeleteKeyA) RealDeleteKey = nullptr;
  // The path each open key handle was opened with, so that a write can name its key.
  static inline std::map<HKEY, std::string> Paths;

  static std::string PathOf(HKEY parent, const char* subKey) {
    const auto known = Paths.find(parent);
    const std::string base = known != Paths.end() ? known->second : std::string();
    if (subKey == nullptr || *subKey == '\0') {
      return base;
    }
    return base.empty() ? subKey : base + "\\" + subKey;
  }

  // Keys are named by their last part: "Main", "Main.edFileMasks_Items".
  static std::string Shown(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
  }

  static bool Fails(HKEY parent, LPCSTR subKey) {
    return !Active->FFailedKey.empty() && Shown(PathOf(parent, subKey)) == Active->FFailedKey;
  }

  static LSTATUS WINAPI CreateKey(HKEY parent, LPCSTR subKey, DWORD reserved, LPSTR keyClass,
                                  DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                                  PHKEY key, LPDWORD disposition) {
    if (Fails(parent, subKey)) {
      return ERROR_ACCESS_DENIED;
    }
    const LSTATUS status = RealCreateKey(parent, subKey, reserved, keyClass, options, access,
                                         security, key, disposition);
    if (status == ERROR_SUCCESS) {
      Paths[*key] = PathOf(parent, subKey);
    }
    return status;
  }

  static LSTATUS WINAPI OpenKey(HKEY parent, LPCSTR subKey, DWORD options, REGSAM access,
                                PHKEY key) {
    if (Fails(parent, subKey)) {
      return ERROR_ACCESS_DENIED;
    }
    const LSTATUS status = RealOpenKey(parent, subKey, options, access, key);
    if (status == ERROR_SUCCESS) {
      Paths[*key] = PathOf(parent, subKey);
    }
    return status;
  }

  static LSTATUS WINAPI SetValue(HKEY key, LPCWSTR name, DWORD reserved, DWORD type,
                                 const BYTE* data, DWORD size) {
    const std::string valueName = name != nullptr ? AnsiFromWide(name) : "";
    if (!Active->FFailedValue.empty() && valueName == Active->FFailedValue) {
      return ERROR_ACCESS_DENIED;
    }
    Active->FCalls.push_back("set " + Shown(PathOf(key, nullptr)) + "\\" + valueName);
    return RealSetValue(key, name, reserved, type, data, size);
  }

  static LSTATUS WINAPI DeleteKey(HKEY parent, LPCSTR subKey) {
    Active->FCalls.push_back("delete " + Shown(PathOf(parent, subKey)));
    return RealDeleteKey(parent, subKey);
  }

  template <typename TFunction>
  static void Swap(const char* name, TFunction& real, TFunction hook) {
    const std::vector<void**> slots = ImportSlots("advapi32.dll", name);
    if (slots.empty()) {
      throw std::logic_error(std::string("The program does not import ") + name);
    }
    if (hook != nullptr) {
      real = reinterpret_cast<TFunction>(*slots.front());
    }
    for (void** slot : slots) {
      Redirect(slot, reinterpret_cast<void*>(hook != nullptr ? hook : real));
    }
  }

  // With on false, the slots get the real functions back.
  static void Install(bool on) {
    Swap("RegCreateKeyExA", RealCreateKey, on ? &CreateKey : nullptr);
    Swap("RegOpenKeyExA", RealOpenKey, on ? &OpenKey : nullptr);
    Swap("RegSetValueExW", RealSetValue, on ? &SetValue : nullptr);
    Swap("RegDeleteKeyA", RealDeleteKey, on ? &DeleteKey : nullptr);
    Paths.clear();
  }
};

TRegistryCalls::TRegistryCalls() {
  if (TRegistryHooks::Active != nullptr) {
    throw std::logic_error("Registry calls are already being recorded");
  }
  TRegistryHooks::Active = this;
  TRegistryHooks::Install(true);
}

TRegistryCalls::~TRegistryCalls() {
  TRegistryHooks::Install(false);
  TRegistryHooks::Active = nullptr;
}
