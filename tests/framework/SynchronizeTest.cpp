#include "ErrorReports.h"

#include "Application.h"
#include "support/Pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

TEST(SynchronizeTest, FromAnotherThreadRunsOnTheUiThreadWhileTheCallerWaits) {
  TApplication application;
  TErrorListener listener;
  application.OnException = Bind<&TErrorListener::Heard>(&listener);
  std::atomic<bool> ran{false}, returned{false};
  DWORD ranOn = 0;
  bool callerWaited = false;
  std::thread caller([&] {
    application.Synchronize([&] {
      ranOn = GetCurrentThreadId();
      callerWaited = !returned;
      ran = true;
    });
    returned = true;
  });

  // Wait for the request to arrive without taking any message: it must not have run yet.
  EXPECT_EQ(MsgWaitForMultipleObjectsEx(0, nullptr, 10000, QS_SENDMESSAGE | QS_POSTMESSAGE,
                                        MWMO_INPUTAVAILABLE),
            WAIT_OBJECT_0);
  EXPECT_FALSE(ran);
  EXPECT_FALSE(returned);
  EXPECT_TRUE(PumpUntil([&] { return returned.load(); }));
  caller.join();
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  EXPECT_TRUE(callerWaited);

  std::atomic<bool> failed{false};
  std::string caught;
  DWORD caughtOn = GetCurrentThreadId();
  std::thread failing([&] {
    try {
      application.Synchronize([] { throw std::runtime_error("Disk full"); });
    } catch (const std::runtime_error& error) {
      caught = error.what();
      caughtOn = GetCurrentThreadId();
    }
    failed = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return failed.load(); }));
  failing.join();
  EXPECT_EQ(caught, "Disk full");
  EXPECT_NE(caughtOn, GetCurrentThreadId());
  EXPECT_TRUE(listener.Messages.empty()); // the caller's to handle, not the error report's
}

TEST(SynchronizeTest, OnTheUiThreadRunsAtOnce) {
  TApplication application;
  const UINT pending = WM_APP + 7;
  PostThreadMessageA(GetCurrentThreadId(), pending, 0, 0);
  bool ran = false;
  application.Synchronize([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_THROW(application.Synchronize([] { throw std::runtime_error("x"); }), std::runtime_error);
  MSG message;
  EXPECT_TRUE(PeekMessageA(&message, nullptr, pending, pending, PM_REMOVE)); // none was taken
}

} // namespace
