#include "FolderLink.h"

#include "Pump.h"

#include "MainThread.h"

#include "UniqueHandle.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return length == 0 || length >= MAX_PATH ? path : std::string(full, length);
}

std::wstring Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Failure(const char* what) {
  return std::string(what) + " failed with error " + std::to_string(GetLastError()) + "; ";
}

std::string SymbolicLink(const std::string& link, const std::string& target) {
  if (!CreateSymbolicLinkA(link.c_str(), target.c_str(),
                           SYMBOLIC_LINK_FLAG_DIRECTORY |
                               SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
    return Failure("CreateSymbolicLinkA");
  }
  // Wine 8 answers success here without creating anything.
  return Exists(link) ? "" : "CreateSymbolicLinkA made nothing; ";
}

// A junction is an empty folder with a mount-point reparse point: the NT path of the target,
// then the path to show, each ended by a null character.
std::string Junction(const std::string& link, const std::string& target) {
  const std::wstring substitute = L"\\??\\" + Wide(target);
  const std::wstring print = Wide(target);
  const std::size_t substituteBytes = substitute.size() * sizeof(wchar_t);
  const std::size_t printBytes = print.size() * sizeof(wchar_t);
  const std::size_t pathBytes = substituteBytes + printBytes + 2 * sizeof(wchar_t);
  const std::size_t headerBytes = 8;  // tag, data length, reserved
  const std::size_t offsetsBytes = 8; // four offsets and lengths of the two names
  std::vector<BYTE> buffer(headerBytes + offsetsBytes + pathBytes, 0);
  const auto put = [&buffer](std::size_t at, auto value) {
    std::memcpy(buffer.data() + at, &value, sizeof value);
  };
  put(0, DWORD{IO_REPARSE_TAG_MOUNT_POINT});
  put(4, static_cast<WORD>(offsetsBytes + pathBytes));
  put(8, WORD{0}); // the substitute name comes first
  put(10, static_cast<WORD>(substituteBytes));
  put(12, static_cast<WORD>(substituteBytes + sizeof(wchar_t)));
  put(14, static_cast<WORD>(printBytes));
  std::memcpy(buffer.data() + 16, substitute.data(), substituteBytes);
  std::memcpy(buffer.data() + 16 + substituteBytes + sizeof(wchar_t), print.data(), printBytes);

  if (!CreateDirectoryA(link.c_str(), nullptr)) {
    return Failure("CreateDirectoryA for a junction");
  }
  std::string failure;
  {
    const TFileHandle folder(CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                         nullptr));
    DWORD returned = 0;
    if (!folder) {
      failure = Failure("opening the junction folder");
    } else if (!DeviceIoControl(folder.get(), FSCTL_SET_REPARSE_POINT, buffer.data(),
                                static_cast<DWORD>(buffer.size()), nullptr, 0, &returned,
                                nullptr)) {
      failure = Failure("FSCTL_SET_REPARSE_POINT"); // Wine 8: error 50, not supported
    }
  }
  if (!failure.empty()) {
    RemoveDirectoryA(link.c_str());
  }
  return failure;
}

std::string UnixPath(const std::string& path) {
  using TGetUnixFileName = char*(CDECL*)(const wchar_t*);
  const auto getUnixFileName = reinterpret_cast<TGetUnixFileName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (getUnixFileName == nullptr) {
    return "";
  }
  char* unixPath = getUnixFileName(Wide(path).c_str());
  if (unixPath == nullptr) {
    return "";
  }
  std::string result = unixPath;
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

// Whether the folder lists the entry; a link is not followed. Wine lists no dangling link.
bool Listed(const std::string& path) {
  WIN32_FIND_DATAA entry;
  return TFindHandle(FindFirstFileA(path.c_str(), &entry)).get() != INVALID_HANDLE_VALUE;
}

// Waits for what another process does; the test's messages are handled meanwhile when it has
// an application.
bool WaitUntil(const std::function<bool()>& condition) {
  if (MainThread != nullptr) {
    return PumpUntil(condition);
  }
  const ULONGLONG deadline = GetTickCount64() + 10000;
  while (!condition()) {
    if (GetTickCount64() >= deadline) {
      return false;
    }
    MsgWaitForMultipleObjectsEx(0, nullptr, 20, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
  return true;
}

// Runs a Unix program under Wine. Wine may signal its process before the program has run, so
// callers wait for its effect instead.
std::string RunUnix(const char* program, std::string commandLine) {
  const std::string windowsName = std::string("Z:") + program;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(windowsName.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return Failure("starting a Unix program");
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return "";
}

// Wine shows a Unix symbolic link to a folder as a folder link, so /bin/ln makes one.
std::string UnixLink(const std::string& link, const std::string& target) {
  const std::string unixTarget = UnixPath(target);
  const std::string unixLink = UnixPath(link);
  if (unixTarget.empty() || unixLink.empty()) {
    return "wine_get_unix_file_name failed; ";
  }
  const std::string started =
      RunUnix("\\bin\\ln", "/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\"");
  if (!started.empty()) {
    return started;
  }
  if (!WaitUntil([&link] { return Exists(link); })) {
    return "/bin/ln made no link; ";
  }
  return "";
}

} // namespace

bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool RemoveFolderLink(const std::string& link) {
  if (!RunningUnderWine()) {
    return RemoveDirectoryA(link.c_str()) != FALSE;
  }
  // Wine 8 cannot remove a Unix link itself: RemoveDirectoryA removes the folder it leads to
  // when that is empty, DeleteFileA is refused.
  const std::string unixLink = UnixPath(link);
  return !unixLink.empty() && RunUnix("\\bin\\rm", "/bin/rm -f \"" + unixLink + "\"").empty() &&
         WaitUntil([&link] { return !Listed(link); });
}

std::string MakeFolderLink(const std::string& link, const std::string& target) {
  const std::string fullTarget = FullPath(target);
  std::string failures = SymbolicLink(link, fullTarget);
  if (failures.empty()) {
    return "";
  }
  const std::string junction = Junction(link, fullTarget);
  if (junction.empty()) {
    return "";
  }
  failures += junction;
  if (!RunningUnderWine()) {
    return failures;
  }
  const std::string unixLink = UnixLink(link, fullTarget);
  return unixLink.empty() ? "" : failures + unixLink;
}
