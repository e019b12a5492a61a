#include "StoredValues.h"

#include "support/StoredSettings.h"
#include "support/TempTree.h"

#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const DWORD StartTimeoutMs = 20000;
const DWORD AnswerTimeoutMs = 5000;

// The built program, found from this test program's folder as the build lays them out.
std::string ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  folder.erase(folder.find_last_of('\\') + 1);
  std::string relative = KOV_PROGRAM_FROM_TESTS;
  std::replace(relative.begin(), relative.end(), '/', '\\');
  return folder + relative;
}

// The program started as its own process; ended by force if a failed test leaves it running.
class TProgram {
public:
  TProgram() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    // Quoted, as a path with blanks needs; built in steps, which GCC 12's -Wrestrict accepts.
    std::string commandLine = "\"";
    commandLine += ProgramPath();
    commandLine += '"';
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &started)) {
      FProcess.reset(started.hProcess);
      CloseHandle(started.hThread);
      FId = started.dwProcessId;
    }
  }
  ~TProgram() {
    if (FProcess && WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(FProcess.get(), 1);
    }
  }
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  bool Started() const { return static_cast<bool>(FProcess); }
  // Its main window once it is visible; nullptr when it did not come up in time.
  HWND WaitForWindow() const {
    WaitForInputIdle(FProcess.get(), StartTimeoutMs);
    const ULONGLONG deadline = GetTickCount64() + StartTimeoutMs;
    while (GetTickCount64() < deadline) {
      if (const HWND window = Window()) {
        return window;
      }
      // Ends the wait early when the program ends instead.
      if (WaitForSingleObject(FProcess.get(), 20) == WAIT_OBJECT_0) {
        return nullptr;
      }
    }
    return nullptr;
  }
  // Its exit code once it has ended in time, else STILL_ACTIVE.
  DWORD WaitForExit() const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(FProcess.get(), StartTimeoutMs) == WAIT_OBJECT_0) {
      GetExitCodeProcess(FProcess.get(), &code);
    }
    return code;
  }

private:
  HWND Window() const {
    for (HWND window = FindWindowExA(nullptr, nullptr, "TfrmQuilletMain", nullptr);
         window != nullptr; window = FindWindowExA(nullptr, window, "TfrmQuilletMain", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == FId && IsWindowVisible(window)) {
        return window;
      }
    }
    return nullptr;
  }

  TKernelHandle FProcess;
  DWORD FId = 0;
};

// A message to another process's window, given up on when it does not answer in time.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, bool unicode = false) {
  DWORD_PTR result = 0;
  const auto send = unicode ? &SendMessageTimeoutW : &SendMessageTimeoutA;
  if (send(window, message, wParam, lParam, SMTO_ABORTIFHUNG, AnswerTimeoutMs, &result) == 0) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

std::string TextOf(HWND window) {
  char text[512] = {};
  Ask(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// The drop-down list of a combo box of another process. The system carries the texts across
// for a list that keeps its own strings. Asked in ANSI, Wine 8 hands back the UTF-16 text, so
// the list is read in UTF-16 and converted here, which reads the same on Windows.
std::vector<std::string> ListOf(HWND comboBox) {
  std::vector<std::string> items;
  const LRESULT count = Ask(comboBox, CB_GETCOUNT);
  for (LRESULT index = 0; index < count; ++index) {
    const WPARAM at = static_cast<WPARAM>(index);
    const LRESULT length = Ask(comboBox, CB_GETLBTEXTLEN, at, 0, true);
    if (length < 0) {
      break;
    }
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(std::max<LRESULT>(
        Ask(comboBox, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(wide.data()), true), 0)));
    std::string item(wide.size() * 2, '\0');
    item.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), item.data(),
                            static_cast<int>(item.size()), nullptr, nullptr)));
    items.push_back(item);
  }
  return items;
}

TEST(EndToEndTest, TheProgramStartsWithTheStoredSettingsAndStoresThemAtTheClose) {
  TTempTree folder;
  const std::vector<std::string> items = {"*.ini", " *.txt ", "*.log;*.ini"};
  const std::string rect = "200,150,700,600";
  ClearStoredSettings();
  StoreValues(MainSection, {{"edStartDir_Text", Sz(folder.Root())},
                            {"edFileMasks_Text", Sz("*.log;*.ini")},
                            {"IncludeSubFolders_Checked", Sz("False")},
                            {"NormPos", Sz(rect)}});
  StoreItems(items);

  TProgram program;
  ASSERT_TRUE(program.Started()) << ProgramPath();
  const HWND window = program.WaitForWindow();
  ASSERT_NE(window, nullptr);
  const HWND panel = FindWindowExA(window, nullptr, "TPanel", nullptr);
  const HWND startDir = FindWindowExA(panel, nullptr, "Edit", nullptr);
  const HWND fileMasks = FindWindowExA(panel, nullptr, "ComboBox", nullptr);
  const HWND subFolders = FindWindowExA(panel, nullptr, "Button", "Include subfolders");
  ASSERT_NE(startDir, nullptr);
  ASSERT_NE(fileMasks, nullptr);
  ASSERT_NE(subFolders, nullptr);
  EXPECT_EQ(TextOf(startDir), folder.Root());
  EXPECT_EQ(TextOf(FindWindowExA(fileMasks, nullptr, "Edit", nullptr)), "*.log;*.ini");
  EXPECT_EQ(ListOf(fileMasks), items);
  EXPECT_EQ(Ask(subFolders, BM_GETCHECK), BST_UNCHECKED);
  RECT placed = {};
  GetWindowRect(window, &placed);
  EXPECT_EQ(std::to_string(placed.left) + "," + std::to_string(placed.top) + "," +
                std::to_string(placed.right) + "," + std::to_string(placed.bottom),
            rect);

  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_EQ(program.WaitForExit(), 0u);

  const TStoredValues stored = StoredValues(MainSection);
  EXPECT_EQ(stored.at("edStartDir_Text"), Sz(folder.Root()));
  EXPECT_EQ(stored.at("edFileMasks_Text"), Sz("*.log;*.ini"));
  EXPECT_EQ(stored.at("IncludeSubFolders_Checked"), Sz("False"));
  EXPECT_EQ(stored.at("Visible"), Sz("0"));
  EXPECT_EQ(stored.at("FormVersion"), Sz("0"));
  EXPECT_EQ(stored.at("ShowCmd"), Sz("1"));
  EXPECT_EQ(stored.at("NormPos"), Sz(rect));
  EXPECT_EQ(stored.at(Suffixed("NormPos")), Sz(rect));
  EXPECT_EQ(stored.count("MinMaxPos"), 1u);
  EXPECT_EQ(StoredValues(ItemsSection), ItemValues(items));
}

} // namespace
