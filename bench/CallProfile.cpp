#include "CallProfile.h"

#include "Figures.h"
#include "ImportPatch.h"

#include <shellapi.h>

#include <array>
#include <cstdint>
#include <string>

namespace {

enum TCallKind {
  ckFindFirstFile,
  ckFindNextFile,
  ckFullPathName,
  ckVersionSize,
  ckVersionInfo,
  ckVerQueryValue,
  ckShellTypeName,
  ckShellIconIndex,
  ckRegOpenKey,
  ckListViewMessage,
  ckStatusBarMessage,
  ckOtherSendMessage,
  ckPeekMessage,
  ckDispatchMessage,
  ckOtherMessageHandling,
  ckCount
};

const char* const KindNames[ckCount] = {"FindFirstFileA",
                                        "FindNextFileA",
                                        "GetFullPathNameA",
                                        "GetFileVersionInfoSizeA",
                                        "GetFileVersionInfoA",
                                        "VerQueryValueA",
                                        "SHGetFileInfoA_typename",
                                        "SHGetFileInfoA_iconindex",
                                        "RegOpenKeyExA",
                                        "SendMessageA_listview",
                                        "SendMessageA_statusbar",
                                        "SendMessageA_other",
                                        "PeekMessageA",
                                        "DispatchMessageA",
                                        "TranslateMessage_IsDialogMessageA"};

struct TCallStats {
  std::uint64_t Calls = 0;
  std::int64_t Ticks = 0;
};

struct TProfileState {
  bool Active = false;
  DWORD Thread = 0;
  HWND ListView = nullptr;
  HWND StatusBar = nullptr;
  int Depth = 0;
  std::array<TCallStats, ckCount> Stats{};
};
TProfileState State;

std::int64_t Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

// One counted call: its time, less that of the counted calls within it, goes to its kind.
class TTimedCall {
public:
  explicit TTimedCall(TCallKind kind)
      : FCounted(State.Active && GetCurrentThreadId() == State.Thread && State.Depth > 0),
        FKind(kind), FOuter(Innermost) {
    ++State.Depth;
    if (FCounted) {
      Innermost = this;
      FStart = Now();
    }
  }
  ~TTimedCall() {
    --State.Depth;
    if (!FCounted) {
      return;
    }
    const std::int64_t elapsed = Now() - FStart;
    TCallStats& stats = State.Stats[FKind];
    ++stats.Calls;
    stats.Ticks += elapsed - FNested;
    Innermost = FOuter;
    if (FOuter != nullptr) {
      FOuter->FNested += elapsed;
    }
  }
  TTimedCall(const TTimedCall&) = delete;
  TTimedCall& operator=(const TTimedCall&) = delete;

private:
  static TTimedCall* Innermost;
  const bool FCounted;
  const TCallKind FKind;
  TTimedCall* const FOuter;
  std::int64_t FStart = 0;
  std::int64_t FNested = 0;
};
TTimedCall* TTimedCall::Innermost = nullptr;

// The original of each replaced import, and the replacements, which time it.
decltype(&FindFirstFileA) OriginalFindFirstFile;
decltype(&FindNextFileA) OriginalFindNextFile;
decltype(&GetFullPathNameA) OriginalFullPathName;
decltype(&GetFileVersionInfoSizeA) OriginalVersionSize;
decltype(&GetFileVersionInfoA) OriginalVersionInfo;
decltype(&VerQueryValueA) OriginalVerQueryValue;
decltype(&SHGetFileInfoA) OriginalShellFileInfo;
decltype(&RegOpenKeyExA) OriginalRegOpenKey;
decltype(&SendMessageA) OriginalSendMessage;
decltype(&PeekMessageA) OriginalPeekMessage;
decltype(&DispatchMessageA) OriginalDispatchMessage;
decltype(&TranslateMessage) OriginalTranslateMessage;
decltype(&IsDialogMessageA) OriginalIsDialogMessage;

HANDLE WINAPI TimedFindFirstFile(LPCSTR name, LPWIN32_FIND_DATAA data) {
  const TTimedCall call(ckFindFirstFile);
  return OriginalFindFirstFile(name, data);
}
BOOL WINAPI TimedFindNextFile(HANDLE find, LPWIN32_FIND_DATAA data) {
  const TTimedCall call(ckFindNextFile);
  return OriginalFindNextFile(find, data);
}
DWORD WINAPI TimedFullPathName(LPCSTR name, DWORD length, LPSTR buffer, LPSTR* part) {
  const TTimedCall call(ckFullPathName);
  return OriginalFullPathName(name, length, buffer, part);
}
DWORD WINAPI TimedVersionSize(LPCSTR name, LPDWORD handle) {
  const TTimedCall call(ckVersionSize);
  return OriginalVersionSize(name, handle);
}
BOOL WINAPI TimedVersionInfo(LPCSTR name, DWORD handle, DWORD length, LPVOID data) {
  const TTimedCall call(ckVersionInfo);
  return OriginalVersionInfo(name, handle, length, data);
}
BOOL WINAPI TimedVerQueryValue(LPCVOID block, LPCSTR subBlock, LPVOID* value, PUINT length) {
  const TTimedCall call(ckVerQueryValue);
  return OriginalVerQueryValue(block, subBlock, value, length);
}
DWORD_PTR WINAPI TimedShellFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size,
                                    UINT flags) {
  const TTimedCall call((flags & SHGFI_TYPENAME) != 0 ? ckShellTypeName : ckShellIconIndex);
  return OriginalShellFileInfo(path, attributes, info, size, flags);
}
LSTATUS WINAPI TimedRegOpenKey(HKEY key, LPCSTR subKey, DWORD options, REGSAM access,
                               PHKEY opened) {
  const TTimedCall call(ckRegOpenKey);
  return OriginalRegOpenKey(key, subKey, options, access, opened);
}
LRESULT WINAPI TimedSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const TTimedCall call(window == State.ListView    ? ckListViewMessage
                        : window == State.StatusBar ? ckStatusBarMessage
                                                    : ckOtherSendMessage);
  return OriginalSendMessage(window, message, wParam, lParam);
}
BOOL WINAPI TimedPeekMessage(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
  const TTimedCall call(ckPeekMessage);
  return OriginalPeekMessage(message, window, first, last, remove);
}
LRESULT WINAPI TimedDispatchMessage(const MSG* message) {
  const TTimedCall call(ckDispatchMessage);
  return OriginalDispatchMessage(message);
}
BOOL WINAPI TimedTranslateMessage(const MSG* message) {
  const TTimedCall call(ckOtherMessageHandling);
  return OriginalTranslateMessage(message);
}
BOOL WINAPI TimedIsDialogMessage(HWND dialog, LPMSG message) {
  const TTimedCall call(ckOtherMessageHandling);
  return OriginalIsDialogMessage(dialog, message);
}

template <typename TFunction>
void Patch(const char* name, TFunction replacement, TFunction& original) {
  original = reinterpret_cast<TFunction>(PatchImport(name, reinterpret_cast<void*>(replacement)));
}

template <typename TFunction>
void Restore(const char* name, TFunction original) {
  if (original != nullptr) {
    PatchImport(name, reinterpret_cast<void*>(original));
  }
}

// Every replaced import, by name; Install and Uninstall walk the same list.
template <typename TAction>
void ForEachImport(TAction action) {
  action("FindFirstFileA", TimedFindFirstFile, OriginalFindFirstFile);
  action("FindNextFileA", TimedFindNextFile, OriginalFindNextFile);
  action("GetFullPathNameA", TimedFullPathName, OriginalFullPathName);
  action("GetFileVersionInfoSizeA", TimedVersionSize, OriginalVersionSize);
  action("GetFileVersionInfoA", TimedVersionInfo, OriginalVersionInfo);
  action("VerQueryValueA", TimedVerQueryValue, OriginalVerQueryValue);
  action("SHGetFileInfoA", TimedShellFileInfo, OriginalShellFileInfo);
  action("RegOpenKeyExA", TimedRegOpenKey, OriginalRegOpenKey);
  action("SendMessageA", TimedSendMessage, OriginalSendMessage);
  action("PeekMessageA", TimedPeekMessage, OriginalPeekMessage);
  action("DispatchMessageA", TimedDispatchMessage, OriginalDispatchMessage);
  action("TranslateMessage", TimedTranslateMessage, OriginalTranslateMessage);
  action("IsDialogMessageA", TimedIsDialogMessage, OriginalIsDialogMessage);
}

} // namespace

TCallProfile::TCallProfile(HWND listView, HWND statusBar) {
  State = TProfileState();
  State.Thread = GetCurrentThreadId();
  State.ListView = listView;
  State.StatusBar = statusBar;
  ForEachImport([](const char* name, auto replacement, auto& original) {
    Patch(name, replacement, original);
  });
  State.Active = true;
}

TCallProfile::~TCallProfile() {
  State.Active = false;
  ForEachImport([](const char* name, auto, auto original) { Restore(name, original); });
}

void TCallProfile::Print(int rows, double runSeconds) const {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  const double microsecondsPerTick = 1e6 / static_cast<double>(frequency.QuadPart);
  const double runMicroseconds = runSeconds * 1e6;
  double counted = 0;
  for (int kind = 0; kind < ckCount; ++kind) {
    const TCallStats& stats = State.Stats[kind];
    const double microseconds = static_cast<double>(stats.Ticks) * microsecondsPerTick;
    counted += microseconds;
    const std::string name = std::string("profile_") + KindNames[kind];
    PrintFigure(name + "_calls_per_row", static_cast<double>(stats.Calls) / rows, 2, "calls");
    PrintFigure(name + "_us_per_row", microseconds / rows, 1, "us");
  }
  PrintFigure("profile_rest_us_per_row", (runMicroseconds - counted) / rows, 1, "us");
  PrintFigure("profile_row_us", runMicroseconds / rows, 1, "us");
}
