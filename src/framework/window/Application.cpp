#include "Application.h"

#include "Form.h"
#include "Messages.h"
#include "Paths.h"

#include <commctrl.h>

namespace {

const char ApplicationWindowClass[] = "TApplication";

struct TSyncRequest {
  const std::function<void()>& Procedure;
  std::exception_ptr Failure;
};

} // namespace

TApplication* Application = nullptr;

TApplication::TApplication()
    : TComponent(nullptr), FMainThreadId(GetCurrentThreadId()), FTitle(ProgramName()) {
  if (Application != nullptr) {
    throw std::logic_error("Only one application object may exist");
  }
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  TWindowRegistry::RegisterWindowClass(ApplicationWindowClass, 0, nullptr, nullptr);
  // A message-only window: it receives the hand-overs and is never shown or enumerated.
  FWindow.reset(CreateWindowExA(0, ApplicationWindowClass, FTitle.c_str(), 0, 0, 0, 0, 0,
                                HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                                static_cast<TWindowTarget*>(this)));
  if (!FWindow) {
    throw std::runtime_error("Cannot create the application window");
  }
  Application = this;
  MainThread = this;
}

TApplication::~TApplication() {
  // The forms go while the application can still serve them.
  while (ComponentCount() > 0) {
    delete Components(ComponentCount() - 1);
  }
  FWindow.reset();
  MainThread = nullptr;
  Application = nullptr;
}

void TApplication::Run() {
  if (FMainForm != nullptr) {
    FMainForm->Show();
  }
  while (!FTerminated) {
    HandleMessage();
  }
}

void TApplication::HandleMessage() {
  MSG message;
  if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
    FTerminated = true;
    return;
  }
  Dispatch(message);
}

void TApplication::ProcessMessages() {
  FMessagesHandled = GetTickCount64();
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      FTerminated = true;
      // Put it back, so that the loop this one is nested in ends too.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

void TApplication::Dispatch(const MSG& message) {
  // A shortcut's action that fails is reported as any handler's failure is, and the key is
  // spent.
  bool handled = true;
  RunReported([&] { handled = HandledByForm(message); });
  if (handled) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

bool TApplication::HandledByForm(const MSG& message) {
  if (message.hwnd == nullptr) {
    return false;
  }
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(root));
  if (form == nullptr) {
    return false;
  }
  // Shortcuts first, so that Alt+S runs its action rather than a button's mnemonic.
  if (form->IsShortCut(message)) {
    return true;
  }
  return IsDialogMessageA(root, const_cast<MSG*>(&message)) != FALSE;
}

void TApplication::Synchronize(const std::function<void()>& procedure) {
  if (GetCurrentThreadId() == FMainThreadId) {
    procedure();
    return;
  }
  TSyncRequest request{procedure, nullptr};
  SendMessageA(FWindow.get(), WM_KOV_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&request));
  if (request.Failure) {
    std::rethrow_exception(request.Failure);
  }
}

void TApplication::HandleException(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& error) {
    if (OnException) {
      OnException(this, error);
    } else {
      ShowException(error);
    }
  } catch (...) {
    HandleException(std::make_exception_ptr(std::runtime_error("Unknown error")));
  }
}

void TApplication::ShowException(const std::exception& error) const {
  std::string text = error.what();
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') {
    text += '.';
  }
  MessageBoxA(GetActiveWindow(), text.c_str(), FTitle.c_str(), MB_OK | MB_ICONERROR);
}

void TApplication::ReportThreadFailure(std::exception_ptr failure) {
  {
    std::lock_guard<std::mutex> lock(FFailuresLock);
    FThreadFailures.push_back(failure);
  }
  PostMessageA(FWindow.get(), WM_KOV_THREAD_FAILED, 0, 0);
}

void TApplication::ReportPendingThreadFailures() {
  std::vector<std::exception_ptr> failures;
  {
    std::lock_guard<std::mutex> lock(FFailuresLock);
    failures.swap(FThreadFailures);
  }
  for (const std::exception_ptr& failure : failures) {
    HandleException(failure);
  }
}

LRESULT TApplication::WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_KOV_SYNCHRONIZE: {
    auto* request = reinterpret_cast<TSyncRequest*>(lParam);
    try {
      request->Procedure();
    } catch (...) {
      request->Failure = std::current_exception();
    }
    return 0;
  }
  case WM_KOV_THREAD_FAILED:
    ReportPendingThreadFailures();
    return 0;
  default:
    return DefWindowProcA(window, message, wParam, lParam);
  }
}
