#include "MainWindowSession.h"

#include "support/StoredSettings.h"
#include "support/TempTree.h"

#include <commctrl.h>

#include <algorithm>
#include <ostream>

namespace {
const char SearchingPrefix[] = "Searching ";
} // namespace

TMainWindowSession::TMainWindowSession(TErrorLog& errors) : FErrors(errors), FForm(nullptr) {
  // Each test starts as a first run: settings stored by an earlier one would leak into it.
  ClearStoredSettings();
  FApplication.OnException = Bind<&TErrorLog::Report>(&FErrors);
  // Owned by the application, which destroys it with itself.
  FForm = new TfrmQuilletMain(&FApplication);
  FForm->Show();
  FApplication.ProcessMessages();
}

TMainWindowSession::~TMainWindowSession() {
  TakeQuitMessage();
}

TStatusWatch::TStatusWatch(HWND statusBar, int panel) : FBar(statusBar), FPanel(panel) {
  // Each watch is a subclass of its own, known by its address.
  SetWindowSubclass(FBar, &Proc, reinterpret_cast<UINT_PTR>(this),
                    reinterpret_cast<DWORD_PTR>(this));
}

TStatusWatch::~TStatusWatch() {
  if (FBar != nullptr) {
    RemoveWindowSubclass(FBar, &Proc, reinterpret_cast<UINT_PTR>(this));
  }
}

int TStatusWatch::Count(const std::string& text) const {
  int count = 0;
  for (const std::string& written : FTexts) {
    count += written == text ? 1 : 0;
  }
  return count;
}

std::vector<std::string> TStatusWatch::Folders() const {
  std::vector<std::string> folders;
  for (const std::string& text : FTexts) {
    if (text.starts_with(SearchingPrefix)) {
      folders.push_back(text.substr(sizeof SearchingPrefix - 1));
    }
  }
  return folders;
}

LRESULT CALLBACK TStatusWatch::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR data) {
  auto* watch = reinterpret_cast<TStatusWatch*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &Proc, id);
    watch->FBar = nullptr;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  if (message != SB_SETTEXTA || LOBYTE(LOWORD(wParam)) != watch->FPanel) {
    return DefSubclassProc(window, message, wParam, lParam);
  }
  const std::string text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  watch->FTexts.push_back(text);
  if (watch->OnText) {
    watch->OnText(text);
  }
  if (text.starts_with(SearchingPrefix) && watch->OnSearching) {
    watch->OnSearching(text.substr(sizeof SearchingPrefix - 1));
  }
  return result;
}

std::ostream& operator<<(std::ostream& stream, const TPlace& place) {
  return stream << place.Left << "," << place.Top << " " << place.Width << "x" << place.Height;
}

TPlace PlaceIn(HWND window, HWND reference) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void MakeSearchTree(const TTempTree& tree) {
  for (const char* folder : {"a", "a\\deep", "b", "c"}) {
    tree.Folder(folder);
  }
  for (const char* file : {"one.txt", "a\\two.txt", "a\\deep\\three.txt", "b\\four.txt"}) {
    tree.File(file, "text");
  }
}

std::vector<std::string> SearchTreeFolders(const TTempTree& tree) {
  std::vector<std::string> folders;
  for (const char* folder : {"", "a\\", "a\\deep\\", "b\\", "c\\"}) {
    folders.push_back(tree.Root() + "\\" + folder);
  }
  return folders;
}

std::vector<std::string> Sorted(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

void SetText(const TWinControl* control, const std::string& text) {
  SendMessageA(control->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string StatusText(const TfrmQuilletMain& form, int panel) {
  char text[512] = {};
  const HWND bar = form.StatusBar1->Handle();
  if (LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, panel, 0)) < sizeof text) {
    SendMessageA(bar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text));
  }
  return text;
}

bool Playing(const TfrmQuilletMain& form) {
  return SendMessageA(form.Animate1->Handle(), ACM_ISPLAYING, 0, 0) != FALSE;
}

bool FindFileClipPlays() {
  static const bool plays = [] {
    const HMODULE shell32 = LoadLibraryA("shell32.dll");
    const HWND animation = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_POPUP, 0, 0, 16, 16, nullptr,
                                           nullptr, GetModuleHandleA(nullptr), nullptr);
    const bool played = SendMessageA(animation, ACM_OPENA, reinterpret_cast<WPARAM>(shell32),
                                     reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(151))) != FALSE &&
                        SendMessageA(animation, ACM_PLAY, 1, MAKELONG(0, 7)) != FALSE;
    DestroyWindow(animation);
    FreeLibrary(shell32);
    return played;
  }();
  return plays;
}

void Click(HWND button) {
  SendMessageA(button, BM_CLICK, 0, 0);
}

void PostKey(HWND window, WORD key, bool alt) {
  LPARAM lParam = 1 | static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  if (alt) {
    lParam |= LPARAM{1} << 29; // the context code: Alt is held
  }
  PostMessageA(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, lParam);
}

namespace {

void ClickToolButton(const TfrmQuilletMain& form, int index) {
  const HWND toolBar = form.ToolBar1->Handle();
  RECT button;
  SendMessageA(toolBar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button));
  const LPARAM centre =
      MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  SendMessageA(toolBar, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  SendMessageA(toolBar, WM_LBUTTONUP, 0, centre);
}

} // namespace

const std::vector<TCloseWay>& CloseWays() {
  static const std::vector<TCloseWay> ways = {
      {"File, Exit",
       [](const TfrmQuilletMain& form) {
         const HMENU file = GetSubMenu(GetMenu(form.Handle()), 0);
         PostMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetMenuItemID(file, 2), 0), 0);
       }},
      {"Exit tool button", [](const TfrmQuilletMain& form) { ClickToolButton(form, 2); }},
      {"Alt+F4",
       [](const TfrmQuilletMain& form) { PostKey(form.edStartDir->Handle(), VK_F4, true); }},
      {"close box",
       [](const TfrmQuilletMain& form) {
         PostMessageA(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
       }},
  };
  return ways;
}

bool TakeQuitMessage() {
  MSG message;
  bool taken = false;
  while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    taken = true;
  }
  return taken;
}
