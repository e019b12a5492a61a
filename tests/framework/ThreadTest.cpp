#include "ErrorReports.h"

#include "Application.h"
#include "Thread.h"
#include "support/DialogScript.h"
#include "support/Pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>

namespace {

std::atomic<bool> Destroyed{false};
std::atomic<DWORD> DestroyedOn{0};

// A thread whose body the test gives; the body may hold at a gate, so that the test can look
// at the thread while it runs.
class TTestThread : public TThread {
public:
  explicit TTestThread(std::function<void(TTestThread&)> body, TThreadPriority priority = tpNormal,
                       bool freeOnTerminate = false)
      : FBody(std::move(body)), FGate(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    SetPriority(priority);
    SetFreeOnTerminate(freeOnTerminate);
    Start();
  }
  ~TTestThread() override {
    if (!FreeOnTerminate()) { // the body must be over before this object goes
      Open();
      WaitForSingleObject(Handle(), 10000);
    }
    DestroyedOn = GetCurrentThreadId();
    Destroyed = true;
  }

  void Open() { SetEvent(FGate.get()); }
  void WaitAtGate() { WaitForSingleObject(FGate.get(), 10000); }
  void RecordUiThread() { Synchronize(&TTestThread::Record); }

  DWORD UiThread = 0;

protected:
  void Execute() override { FBody(*this); }

private:
  void Record() { UiThread = GetCurrentThreadId(); }

  std::function<void(TTestThread&)> FBody;
  TKernelHandle FGate;
};

TEST(ThreadTest, BodyRunsOnItsOwnThreadAndTerminateOnlyAsks) {
  TApplication application;
  Destroyed = false;
  std::atomic<bool> started{false}, sawTerminated{false};
  std::atomic<DWORD> ranOn{0};
  auto thread = std::make_unique<TTestThread>([&](TTestThread& self) {
    ranOn = GetCurrentThreadId();
    self.RecordUiThread();
    started = true;
    self.WaitAtGate();
    sawTerminated = self.Terminated();
  });
  ASSERT_TRUE(PumpUntil([&] { return started.load(); })); // nobody resumed it
  EXPECT_NE(ranOn, GetCurrentThreadId());
  EXPECT_EQ(ranOn, GetThreadId(thread->Handle()));
  EXPECT_EQ(thread->UiThread, GetCurrentThreadId());

  thread->Terminate();
  EXPECT_TRUE(thread->Terminated());
  EXPECT_EQ(WaitForSingleObject(thread->Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_FALSE(thread->Finished());

  thread->Open();
  ASSERT_TRUE(PumpUntil([&] { return thread->Finished(); }));
  EXPECT_TRUE(sawTerminated);
  EXPECT_FALSE(Destroyed); // not marked: it stays until deleted
  thread.reset();
  EXPECT_TRUE(Destroyed);
}

TEST(ThreadTest, FreeOnTerminateThreadDeletesItselfAfterItsBody) {
  TApplication application;
  Destroyed = false;
  std::atomic<bool> bodyDone{false};
  new TTestThread([&](TTestThread&) { bodyDone = true; }, tpNormal, true);
  ASSERT_TRUE(PumpUntil([] { return Destroyed.load(); }));
  EXPECT_TRUE(bodyDone);
  EXPECT_NE(DestroyedOn, GetCurrentThreadId());
}

TEST(ThreadTest, AnErrorLeavingTheBodyIsReportedOnTheUiThread) {
  TApplication application;
  TErrorListener listener;
  application.OnException = Bind<&TErrorListener::Heard>(&listener);
  TDialogScript answerer({}); // should the error bypass OnException
  Destroyed = false;
  new TTestThread([](TTestThread&) { throw std::runtime_error("Thread failed"); }, tpNormal, true);
  ASSERT_TRUE(PumpUntil([&] { return !listener.Messages.empty() && Destroyed; }));
  EXPECT_EQ(listener.Messages, std::vector<std::string>{"Thread failed"});
  EXPECT_EQ(listener.Threads, std::vector<DWORD>{GetCurrentThreadId()});
}

TEST(ThreadTest, PriorityTakesTheSystemValueBeforeAndAfterStart) {
  const std::pair<TThreadPriority, int> priorities[] = {
      {tpIdle, THREAD_PRIORITY_IDLE},
      {tpLowest, THREAD_PRIORITY_LOWEST},
      {tpLower, THREAD_PRIORITY_BELOW_NORMAL},
      {tpNormal, THREAD_PRIORITY_NORMAL},
      {tpHigher, THREAD_PRIORITY_ABOVE_NORMAL},
      {tpHighest, THREAD_PRIORITY_HIGHEST},
      {tpTimeCritical, THREAD_PRIORITY_TIME_CRITICAL},
  };
  for (const auto& [priority, value] : priorities) {
    TTestThread thread([](TTestThread& self) { self.WaitAtGate(); }, priority);
    EXPECT_EQ(thread.Priority(), priority);
    EXPECT_EQ(GetThreadPriority(thread.Handle()), value) << "set before Start";
    for (const auto& [later, laterValue] : priorities) {
      thread.SetPriority(later);
      EXPECT_EQ(thread.Priority(), later);
      EXPECT_EQ(GetThreadPriority(thread.Handle()), laterValue) << "set while running";
    }
  }
}

} // namespace
