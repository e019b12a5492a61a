#include "BrowseMessages.h"

#include "support/Pump.h"

#include <commctrl.h>
#include <shlobj.h>

namespace {

TBrowseMessageLog* Log = nullptr;

std::string Describe(const CWPSTRUCT& sent) {
  const auto text = [&] {
    return sent.lParam != 0 ? std::string(reinterpret_cast<const char*>(sent.lParam)) : "";
  };
  switch (sent.message) {
  case BFFM_ENABLEOK:
    return "ENABLEOK " + std::to_string(sent.lParam);
  case BFFM_SETSTATUSTEXTA:
    return "STATUS " + text();
  case BFFM_SETSELECTIONA:
    return sent.wParam ? "SELECT " + text() : "SELECT LIST";
  case WM_SETTEXT:
    return "CAPTION " + text();
  default:
    return {};
  }
}

} // namespace

TBrowseMessageLog::TBrowseMessageLog()
    : FHook(SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, GetCurrentThreadId())) {
  Log = this;
}

TBrowseMessageLog::~TBrowseMessageLog() {
  UnhookWindowsHookEx(FHook);
  Log = nullptr;
}

LRESULT CALLBACK TBrowseMessageLog::Hook(int code, WPARAM wParam, LPARAM lParam) {
  const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  char kind[16] = {};
  if (code == HC_ACTION && Log != nullptr && GetClassNameA(sent.hwnd, kind, sizeof kind) &&
      std::string(kind) == "#32770") {
    if (std::string described = Describe(sent); !described.empty()) {
      Log->FMessages.push_back(std::move(described));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<std::string> Starting(const std::vector<std::string>& texts, const char* prefix) {
  std::vector<std::string> found;
  for (const std::string& text : texts) {
    if (text.starts_with(prefix)) {
      found.push_back(text);
    }
  }
  return found;
}

int TextWidthIn(HWND control, const std::string& text) {
  const HDC dc = GetDC(control);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size = {};
  GetTextExtentPointA(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return size.cx;
}

namespace {

// The label of the item the dialog's folder tree has selected.
std::string SelectedFolderLabel(HWND dialog) {
  const HWND tree = GetDlgItem(dialog, 14145);
  char text[MAX_PATH] = {};
  TVITEMA item = {};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = sizeof text;
  if (item.hItem == nullptr ||
      !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
    return {};
  }
  return text;
}

} // namespace

void SelectInPicker(HWND dialog, const std::string& folder) {
  const std::string name = folder.substr(folder.find_last_of('\\') + 1);
  int shown = 0;
  PumpUntil([&] {
    shown = SelectedFolderLabel(dialog) == name ? shown + 1 : 0;
    if (shown == 0) {
      SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
    }
    return shown >= 2;
  });
}
