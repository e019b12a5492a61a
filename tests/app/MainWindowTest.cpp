#include "MainWindowTest.h"

#include <utility>

void TMainWindowTest::TearDown() {
  CloseSession();
  EXPECT_EQ(FErrors, std::vector<std::string>{}) << "errors reported and not expected";
}

TMainWindowSession& TMainWindowTest::OpenSession() {
  CloseSession();
  FSession = std::make_unique<TMainWindowSession>();
  return *FSession;
}

std::vector<std::string> TMainWindowTest::TakeErrors() {
  if (FSession != nullptr) {
    FErrors.insert(FErrors.end(), FSession->Errors().begin(), FSession->Errors().end());
    FSession->ClearErrors();
  }
  return std::exchange(FErrors, {});
}

void TMainWindowTest::CloseSession() {
  if (FSession != nullptr) {
    FErrors.insert(FErrors.end(), FSession->Errors().begin(), FSession->Errors().end());
    FSession.reset();
  }
}
