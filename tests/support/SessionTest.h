#pragma once

#include "Object.h"

#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Errors the application reports while a test runs. Recording them keeps the default report,
// a modal message box, from holding the test.
class TErrorLog : public TObject {
public:
  void Report(TObject*, const std::exception& error) { FMessages.push_back(error.what()); }
  const std::vector<std::string>& Messages() const { return FMessages; }
  std::vector<std::string> Take() { return std::exchange(FMessages, {}); }

private:
  std::vector<std::string> FMessages;
};

// A test of sessions of a window, each of which reports its errors into the test's log: a
// session the test makes itself (TSession session(Log())) or one the fixture holds
// (OpenSession). At the end no error may be left that the test did not take. TSession's
// constructor takes the log first.
template <typename TSession>
class TSessionTest : public ::testing::Test {
protected:
  void TearDown() override {
    FSession.reset();
    EXPECT_EQ(FErrors.Messages(), std::vector<std::string>{}) << "errors nobody expected";
  }

  TErrorLog& Log() { return FErrors; }
  // A new session held by the fixture; the one before is closed first.
  template <typename... TArguments>
  TSession& OpenSession(TArguments&&... arguments) {
    FSession.reset();
    FSession = std::make_unique<TSession>(FErrors, std::forward<TArguments>(arguments)...);
    return *FSession;
  }
  // Closes the session; errors reported while it ends stay in the log.
  void CloseSession() { FSession.reset(); }
  TSession& Session() { return *FSession; }
  auto& Form() { return FSession->Form(); }
  // The errors reported so far, which the tear-down then no longer counts.
  std::vector<std::string> TakeErrors() { return FErrors.Take(); }

private:
  TErrorLog FErrors; // outlives the sessions, which may report while they end
  std::unique_ptr<TSession> FSession;
};
