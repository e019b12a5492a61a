#include "ErrorReports.h"

#include "Application.h"
#include "support/Pump.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

const UINT WM_TEST = WM_APP + 100;

// A window of this program's own class that records the test messages it handles.
class TTestWindow : private TWindowTarget {
public:
  TTestWindow() {
    TWindowRegistry::RegisterWindowClass("KOVQuilletTestWindow", 0, nullptr, nullptr);
    FHandle.reset(CreateWindowExA(0, "KOVQuilletTestWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, GetModuleHandleA(nullptr),
                                  static_cast<TWindowTarget*>(this)));
  }

  void Post(WPARAM number) const { PostMessageA(FHandle.get(), WM_TEST, number, 0); }

  std::vector<WPARAM> Handled;
  std::function<void(WPARAM)> OnTest;

private:
  void WindowDestroyed(HWND) override {}
  LRESULT WindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TEST) {
      return DefWindowProcA(window, message, wParam, lParam);
    }
    Handled.push_back(wParam);
    if (OnTest) {
      OnTest(wParam);
    }
    return 0;
  }

  TWindowHandle FHandle;
};

bool ServedToTheEnd = false;

// A form: it needs the application while it goes.
class TFormStub : public TComponent {
public:
  using TComponent::TComponent;
  ~TFormStub() override { ServedToTheEnd = Application != nullptr; }
};

TEST(ApplicationTest, OneAtATimeItsFormsGoFirstAndTitleIsTheProgramName) {
  {
    TApplication application;
    EXPECT_EQ(Application, &application);
    EXPECT_THROW(TApplication second, std::logic_error);
    EXPECT_EQ(Application, &application);

    EXPECT_EQ(application.Title(), "framework_tests");
    application.SetTitle("Quillet");
    EXPECT_EQ(application.Title(), "Quillet");

    new TFormStub(&application);
    ServedToTheEnd = false;
  }
  EXPECT_TRUE(ServedToTheEnd);
  EXPECT_EQ(Application, nullptr);
  TApplication again;
  EXPECT_EQ(Application, &again);
}

TEST(ApplicationTest, ProcessMessagesHandlesWhatIsPendingAndReportsHandlerErrors) {
  TApplication application;
  TErrorListener listener;
  application.OnException = Bind<&TErrorListener::Heard>(&listener);
  TTestWindow window;
  window.OnTest = [](WPARAM number) {
    if (number == 2) {
      throw std::runtime_error("Handler failed");
    }
  };
  for (WPARAM number = 1; number <= 3; ++number) {
    window.Post(number);
  }

  application.ProcessMessages();
  EXPECT_EQ(window.Handled, (std::vector<WPARAM>{1, 2, 3}));
  EXPECT_EQ(listener.Messages, std::vector<std::string>{"Handler failed"});
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_FALSE(application.Terminated());
}

TEST(ApplicationTest, QuitEndsProcessMessagesAndStaysForTheEnclosingLoop) {
  TApplication application;
  TTestWindow window;
  window.Post(1);
  PostQuitMessage(7);

  application.ProcessMessages();
  EXPECT_EQ(window.Handled, std::vector<WPARAM>{1});
  EXPECT_TRUE(application.Terminated());
  MSG quit = {};
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);

  // Terminate asks through the quit message too, so that a modal loop it runs in ends as well.
  application.Terminate();
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

bool GuardFired = false;

void CALLBACK EndTheLoop(HWND, UINT, UINT_PTR, DWORD) {
  GuardFired = true;
  PostQuitMessage(1);
}

TEST(ApplicationTest, RunReturnsWhenTheQuitMessageArrives) {
  TApplication application;
  TTestWindow window;
  window.OnTest = [](WPARAM number) {
    if (number == 2) {
      PostQuitMessage(0);
    }
  };
  window.Post(1);
  window.Post(2);
  // Should the quit message not end the loop, a guard does: the test then fails, not hangs.
  GuardFired = false;
  const UINT_PTR guard = SetTimer(nullptr, 0, 10000, &EndTheLoop);
  application.Run();
  KillTimer(nullptr, guard);

  EXPECT_FALSE(GuardFired);
  EXPECT_TRUE(application.Terminated());
  EXPECT_EQ(window.Handled, (std::vector<WPARAM>{1, 2}));
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

} // namespace
