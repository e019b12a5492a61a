#pragma once

#include "MainWindowSession.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A test of the main window. Each session it opens starts as a first run, and at the end of
// the test no error may have been reported that the test did not take.
class TMainWindowTest : public ::testing::Test {
protected:
  void TearDown() override;

  // A new session, replacing the one before (which is closed first).
  TMainWindowSession& OpenSession();
  TMainWindowSession& Session() { return *FSession; }
  TfrmQuilletMain& Form() { return FSession->Form(); }
  // The errors reported so far, which the tear-down then no longer counts.
  std::vector<std::string> TakeErrors();

private:
  void CloseSession();

  std::vector<std::string> FErrors;
  std::unique_ptr<TMainWindowSession> FSession;
};
