#include "StoredSession.h"
#include "Application.h"

#include "support/Pump.h"

TStoredSession::TStoredSession(TErrorLog& errors, bool recordErrors) : FErrors(errors) {
  FApplication.emplace();
  FApplication->SetTitle("KOVQuillet");
  if (recordErrors) {
    FApplication->OnException = Bind<&TErrorLog::Report>(&FErrors);
  }
  FForm = new TfrmQuilletMain(&*FApplication);
  FForm->FormStorage1->OnSavePlacement = Bind<&TStoredSession::Saved>(this);
}

TStoredSession::~TStoredSession() {
  End();
}

void TStoredSession::Show() {
  FForm->Show();
  FApplication->ProcessMessages();
}

bool TStoredSession::PressCloseBox() {
  PostMessageA(FForm->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  return WaitForEnd();
}

bool TStoredSession::WaitForEnd() {
  const bool ended = PumpUntil([this] { return FApplication->Terminated(); });
  TakeQuitMessage();
  return ended;
}

void TStoredSession::End() {
  FForm = nullptr;
  FApplication.reset();
  // A quit message left behind would end the next application of the process at once.
  TakeQuitMessage();
}

RECT DesignedRect() {
  return {DesignedBounds.Left, DesignedBounds.Top, DesignedBounds.Left + DesignedBounds.Width,
          DesignedBounds.Top + DesignedBounds.Height};
}

RECT CentredRect() {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - DesignedBounds.Width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - DesignedBounds.Height) / 2;
  return {left, top, left + DesignedBounds.Width, top + DesignedBounds.Height};
}

WINDOWPLACEMENT PlacementOf(HWND window) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  return placement;
}

bool SystemKeepsMaxPosition() {
  static const bool keeps = [] {
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    WINDOWPLACEMENT placement = PlacementOf(window);
    placement.showCmd = SW_HIDE;
    placement.ptMaxPosition = {-3, -5};
    SetWindowPlacement(window, &placement);
    const POINT kept = PlacementOf(window).ptMaxPosition;
    DestroyWindow(window);
    return kept.x == -3 && kept.y == -5;
  }();
  return keeps;
}

RECT WindowRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

std::string RectText(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}
