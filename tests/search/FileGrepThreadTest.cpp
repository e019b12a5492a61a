#include "Application.h"
#include "GrepRecorder.h"

#include "SearchThread.h"
#include "support/Pump.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace {

using TLines = std::vector<std::string>;

// A tree with one match per folder, so that every trace is fully ordered.
void MakeChain(const TTempTree& tree) {
  tree.File("a.txt");
  tree.Folder("sub");
  tree.File("sub\\b.txt");
}

const TLines ChainTrace = {R"(dir ~\)",     R"(found ~\;a.txt;)",
                           R"(dir ~\sub\)", R"(found ~\sub\;b.txt;)",
                           "finished",      "end"};

// The worker's own handle, which outlives the worker object.
TKernelHandle WorkerHandle(const TFileGrep& grep) {
  HANDLE copy = nullptr;
  DuplicateHandle(GetCurrentProcess(), grep.Worker()->Handle(), GetCurrentProcess(), &copy, 0,
                  FALSE, DUPLICATE_SAME_ACCESS);
  return TKernelHandle(copy);
}

// A component set to search the chain for "*.txt", in an application of the test's own.
struct TChainSearch {
  TChainSearch() : Grep(nullptr), Recorder(Grep, Tree.Root()) {
    MakeChain(Tree);
    Grep.SetDirs(Tree.Root());
    Grep.SetFileMasks("*.txt");
  }

  TApplication App;
  TTempTree Tree;
  TFileGrep Grep;
  TGrepRecorder Recorder;
};

bool Signalled(const TKernelHandle& handle) {
  return WaitForSingleObject(handle.get(), 0) == WAIT_OBJECT_0;
}

TEST(FileGrepThreadTest, ThreadedStartReturnsAtOnceAndEveryEventRunsOnTheUiThread) {
  TChainSearch search;
  TFileGrep& grep = search.Grep;
  TGrepRecorder& recorder = search.Recorder;
  DWORD workerThread = 0;
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::DirChange && workerThread == 0) {
      workerThread = GetThreadId(grep.Worker()->Handle());
    }
  };

  grep.Start();
  EXPECT_TRUE(recorder.Events.empty());
  ASSERT_NE(grep.Worker(), nullptr);
  const TKernelHandle worker = WorkerHandle(grep);
  ASSERT_TRUE(PumpUntil([&] { return recorder.Ended(); }));
  EXPECT_EQ(recorder.Trace(), ChainTrace);
  EXPECT_EQ(grep.Worker(), nullptr);
  EXPECT_NE(workerThread, 0u);
  EXPECT_NE(workerThread, GetCurrentThreadId());
  for (const TRecordedEvent& event : recorder.Events) {
    EXPECT_EQ(event.ThreadId, GetCurrentThreadId());
  }
  EXPECT_EQ(recorder.ForeignSenders, 0);
  // The worker frees itself once the run is over.
  EXPECT_TRUE(PumpUntil([&] { return Signalled(worker); }));

  recorder.Events.clear();
  grep.SetThreadedSearch(false);
  grep.Start();
  EXPECT_EQ(recorder.Trace(), ChainTrace);
}

TEST(FileGrepThreadTest, StartIsIgnoredWhileARunIsPendingOrRunning) {
  TChainSearch search;
  TFileGrep& grep = search.Grep;
  TGrepRecorder& recorder = search.Recorder;

  grep.Start();
  TSearchThread* const worker = grep.Worker();
  grep.Start();
  EXPECT_EQ(grep.Worker(), worker);
  bool restarted = false;
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::Found && grep.FoundList().Count() == 1 && !restarted) {
      restarted = true;
      grep.Start();
      EXPECT_EQ(grep.Worker(), worker);
    }
  };
  ASSERT_TRUE(PumpUntil([&] { return recorder.Ended(); }));
  EXPECT_EQ(recorder.Trace(), ChainTrace);
  EXPECT_EQ(grep.FoundList().Count(), 2);
}

TEST(FileGrepThreadTest, CancelEndsTheRunWithOnCancelAndOnlyOnce) {
  TApplication application;
  TTempTree tree;
  tree.Folder("A");
  tree.File("A\\a.txt");
  tree.Folder("B");
  tree.File("B\\b.txt");
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Path("A") + ";" + tree.Path("B"));
  grep.SetFileMasks("*.txt");
  const auto run = [&] {
    recorder.Events.clear();
    grep.Start();
    EXPECT_TRUE(PumpUntil([&] { return recorder.Ended(); }));
    return recorder.Trace();
  };

  // Cancelled while idle, the next run enters nothing.
  grep.Cancel();
  EXPECT_TRUE(grep.CancelRequested());
  EXPECT_EQ(run(), (TLines{"cancel", "end"}));
  EXPECT_FALSE(grep.CancelRequested());
  EXPECT_EQ(run().size(), 6u); // the request was used up

  // Cancelled after Start, before the UI thread has begun the run.
  recorder.Events.clear();
  grep.Start();
  grep.Cancel();
  EXPECT_TRUE(PumpUntil([&] { return recorder.Ended(); }));
  EXPECT_EQ(recorder.Trace(), (TLines{"cancel", "end"}));

  // Cancelled mid-run: no further entry, and no further start folder.
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::DirChange) {
      grep.Cancel();
    }
  };
  EXPECT_EQ(run(), (TLines{R"(dir ~\A\)", "cancel", "end"}));
  recorder.Hook = nullptr;

  // A direct run still enters every start folder, and finds nothing in them.
  grep.SetThreadedSearch(false);
  grep.Cancel();
  recorder.Events.clear();
  grep.Start();
  EXPECT_EQ(recorder.Trace(), (TLines{R"(dir ~\A\)", R"(dir ~\B\)", "cancel", "end"}));
}

TEST(FileGrepThreadTest, TheEndSequenceFindsTheComponentIdle) {
  TChainSearch search;
  TFileGrep& grep = search.Grep;
  TGrepRecorder& recorder = search.Recorder;
  TLines seen;
  bool cancel = false;
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::DirChange && cancel) {
      grep.Cancel();
    } else if (kind == TGrepEvent::Finished || kind == TGrepEvent::Cancel ||
               kind == TGrepEvent::End) {
      seen.push_back(recorder.Trace().back() + (grep.Worker() ? " worker" : "") +
                     (grep.CancelRequested() ? " cancelling" : ""));
    }
  };
  for (const bool cancelled : {false, true}) {
    cancel = cancelled;
    grep.Start();
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(TGrepEvent::End) == 1 + cancelled; }));
  }
  EXPECT_EQ(seen, (TLines{"finished", "end", "cancel cancelling", "end"}));
}

TEST(FileGrepThreadTest, StartFromOnFinishedBeginsANewThreadedRun) {
  TChainSearch search;
  TFileGrep& grep = search.Grep;
  TGrepRecorder& recorder = search.Recorder;
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::Finished && recorder.Count(TGrepEvent::Finished) == 1) {
      grep.Start();
      EXPECT_NE(grep.Worker(), nullptr);
    }
  };
  grep.Start();
  ASSERT_TRUE(PumpUntil([&] { return recorder.Count(TGrepEvent::End) == 2; }));
  TLines twice = ChainTrace;
  twice.insert(twice.end(), ChainTrace.begin(), ChainTrace.end());
  EXPECT_EQ(recorder.Trace(), twice);
  EXPECT_EQ(grep.FoundList().Count(), 2);
}

TEST(FileGrepThreadTest, ThreadPriorityMapsOntoTheWorkerAndChangesItAtOnce) {
  TApplication application;
  TTempTree tree;
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Root());
  EXPECT_EQ(grep.ThreadPriority(), tpNormal);
  int workerPriority = 0;
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::DirChange) {
      workerPriority = GetThreadPriority(grep.Worker()->Handle());
    }
  };
  const std::pair<TThreadPriority, int> mapping[] = {
      {tpIdle, -15}, {tpLowest, -2}, {tpLower, -1},        {tpNormal, 0},
      {tpHigher, 1}, {tpHighest, 2}, {tpTimeCritical, 15},
  };
  for (const auto& [priority, value] : mapping) {
    grep.SetThreadPriority(priority);
    recorder.Events.clear();
    grep.Start();
    ASSERT_TRUE(PumpUntil([&] { return recorder.Ended(); }));
    EXPECT_EQ(workerPriority, value) << priority;
  }

  // Setting the value it already has leaves the worker alone; another applies at once.
  grep.SetThreadPriority(tpHighest);
  TLines seen;
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind != TGrepEvent::DirChange) {
      return;
    }
    const HANDLE worker = grep.Worker()->Handle();
    ::SetThreadPriority(worker, THREAD_PRIORITY_LOWEST);
    grep.SetThreadPriority(tpHighest);
    seen.push_back(std::to_string(GetThreadPriority(worker)));
    grep.SetThreadPriority(tpHigher);
    seen.push_back(std::to_string(GetThreadPriority(worker)));
  };
  recorder.Events.clear();
  grep.Start();
  ASSERT_TRUE(PumpUntil([&] { return recorder.Ended(); }));
  EXPECT_EQ(seen, (TLines{"-2", "1"}));
}

TEST(FileGrepThreadTest, TheQuitMessageStopsTheWalkAtItsNextStopTest) {
  TApplication application;
  TTempTree tree;
  MakeChain(tree);
  tree.File("sub\\c.txt");
  tree.Folder("sub\\deeper");
  TFileGrep grep(nullptr);
  TGrepRecorder recorder(grep, tree.Root());
  grep.SetDirs(tree.Root());
  grep.SetFileMasks("*.txt");
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == TGrepEvent::DirChange && recorder.Count(kind) == 1) {
      PostQuitMessage(0);
    }
  };
  grep.Start();
  ASSERT_TRUE(PumpUntil([&] { return recorder.Ended(); }));
  // The quit message is seen when the walk pumps on entering the next folder.
  EXPECT_EQ(recorder.Trace(),
            (TLines{R"(dir ~\)", R"(found ~\;a.txt;)", R"(dir ~\sub\)", "finished", "end"}));
  EXPECT_TRUE(application.Terminated());
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(FileGrepThreadTest, DestroyingTheComponentStopsItsRunQuietly) {
  TApplication application;
  TTempTree tree;
  MakeChain(tree);
  tree.File("z.txt");
  const auto make = [&tree](bool threaded) {
    auto* grep = new TFileGrep(nullptr);
    grep->SetThreadedSearch(threaded);
    grep->SetDirs(tree.Root());
    grep->SetFileMasks("a.txt;z.txt");
    return grep;
  };

  { // Direct, from the first found event: Start returns with nothing more reported.
    TFileGrep* grep = make(false);
    TGrepRecorder recorder(*grep, tree.Root());
    recorder.Hook = [&](TGrepEvent kind, const std::string&) {
      if (kind == TGrepEvent::Found) {
        delete std::exchange(grep, nullptr);
      }
    };
    grep->Start();
    EXPECT_EQ(grep, nullptr);
    EXPECT_EQ(recorder.Trace(), (TLines{R"(dir ~\)", R"(found ~\;a.txt;)"}));
  }
  { // Threaded, from the first folder event: the worker still ends.
    TFileGrep* grep = make(true);
    TGrepRecorder recorder(*grep, tree.Root());
    TKernelHandle worker;
    recorder.Hook = [&](TGrepEvent kind, const std::string&) {
      if (kind == TGrepEvent::DirChange) {
        worker = WorkerHandle(*grep);
        delete std::exchange(grep, nullptr);
      }
    };
    grep->Start();
    ASSERT_TRUE(PumpUntil([&] { return worker && Signalled(worker); }));
    EXPECT_EQ(recorder.Trace(), (TLines{R"(dir ~\)"}));
  }
  { // Threaded, while the run is still pending.
    TFileGrep* grep = make(true);
    TGrepRecorder recorder(*grep, tree.Root());
    grep->Start();
    const TKernelHandle worker = WorkerHandle(*grep);
    delete grep;
    ASSERT_TRUE(PumpUntil([&] { return Signalled(worker); }));
    EXPECT_TRUE(recorder.Events.empty());
  }
}

TEST(FileGrepThreadTest, AFailingHandlerStillEndsTheRunAndItsErrorGoesOn) {
  TChainSearch search;
  TFileGrep& grep = search.Grep;
  TGrepRecorder& recorder = search.Recorder;
  recorder.Hook = [&](TGrepEvent kind, const std::string&) {
    if (kind == (grep.ThreadedSearch() ? TGrepEvent::DirChange : TGrepEvent::Found)) {
      throw std::runtime_error("handler failed");
    }
  };

  // Direct: out of Start, after the end sequence.
  grep.SetThreadedSearch(false);
  try {
    grep.Start();
    ADD_FAILURE() << "Start returned normally";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "handler failed");
  }
  EXPECT_EQ(recorder.Trace(), (TLines{R"(dir ~\)", R"(found ~\;a.txt;)", "finished", "end"}));

  // Threaded: the application reports it on the UI thread after the run has ended.
  grep.SetThreadedSearch(true);
  recorder.Events.clear();
  grep.Start();
  ASSERT_TRUE(PumpUntil([&] { return recorder.Count(TGrepEvent::Failure) == 1; }));
  EXPECT_EQ(recorder.Trace(), (TLines{R"(dir ~\)", "finished", "end", "failure handler failed"}));
  EXPECT_EQ(recorder.Events.back().ThreadId, GetCurrentThreadId());
  EXPECT_EQ(grep.Worker(), nullptr);

  // The component is idle again.
  recorder.Hook = nullptr;
  recorder.Events.clear();
  grep.Start();
  ASSERT_TRUE(PumpUntil([&] { return recorder.Ended(); }));
  EXPECT_EQ(recorder.Trace(), ChainTrace);
}

TEST(FileGrepThreadTest, AnEndHandlerThatFailsStillLeavesTheComponentIdle) {
  TChainSearch search;
  TFileGrep& grep = search.Grep;
  TGrepRecorder& recorder = search.Recorder;
  for (const TGrepEvent failing : {TGrepEvent::Cancel, TGrepEvent::Finished}) {
    recorder.Hook = [&](TGrepEvent kind, const std::string&) {
      if (kind == TGrepEvent::DirChange && failing == TGrepEvent::Cancel) {
        grep.Cancel();
      }
      if (kind == failing) {
        throw std::runtime_error("end handler failed");
      }
    };
    recorder.Events.clear();
    grep.Start();
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(TGrepEvent::Failure) == 1; }));
    EXPECT_EQ(recorder.Count(TGrepEvent::End), 1);

    // The next run is neither cancelled at once nor refused.
    recorder.Hook = nullptr;
    recorder.Events.clear();
    grep.Start();
    ASSERT_TRUE(PumpUntil([&] { return recorder.Ended(); }));
    EXPECT_EQ(recorder.Trace(), ChainTrace);
  }
}

TEST(FileGrepThreadTest, AWorkerThatCannotHandItsRunOverEndsItAsARunThatFoundNothing) {
  TTempTree tree;
  MakeChain(tree);
  TFileGrep grep(nullptr);
  grep.SetDirs(tree.Root());
  std::optional<TApplication> application(std::in_place);
  TGrepRecorder recorder(grep, tree.Root());
  grep.Start();
  const TKernelHandle worker = WorkerHandle(grep);
  // The application goes, and with it the window the worker hands its run to.
  application.reset();
  ASSERT_EQ(WaitForSingleObject(worker.get(), 10000), WAIT_OBJECT_0);
  EXPECT_EQ(grep.Worker(), nullptr);
  EXPECT_TRUE(recorder.Events.empty());

  // The component ends that run the next time it is used, and stays usable.
  grep.SetThreadPriority(tpLowest);
  EXPECT_EQ(recorder.Trace(), (TLines{"finished", "end"}));
  grep.Cancel();
  recorder.Events.clear();
  // Without an application no worker could hand a run over: the run ends at once.
  grep.Start();
  EXPECT_EQ(recorder.Trace(), (TLines{"cancel", "end"}));
  EXPECT_EQ(grep.Worker(), nullptr);
  EXPECT_FALSE(grep.CancelRequested());
}

} // namespace
