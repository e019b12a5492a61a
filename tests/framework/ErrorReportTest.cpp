#include "ErrorReports.h"

#include "Application.h"
#include "support/DialogScript.h"

#include <gtest/gtest.h>

#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(ErrorReportTest, OnExceptionTakesTheErrorWhenAssigned) {
  TApplication application;
  TErrorListener listener;
  application.OnException = Bind<&TErrorListener::Heard>(&listener);
  TDialogScript answerer({});

  application.HandleException(std::make_exception_ptr(std::runtime_error("Disk full")));
  application.HandleException(std::make_exception_ptr(42));
  EXPECT_EQ(listener.Messages, (std::vector<std::string>{"Disk full", "Unknown error"}));
  EXPECT_EQ(listener.Senders, (std::vector<TObject*>{&application, &application}));
  EXPECT_TRUE(answerer.Seen().empty());
}

TEST(ErrorReportTest, WithoutOnExceptionAMessageBoxTitledLikeTheProgramShowsIt) {
  TApplication application;
  application.SetTitle("Quillet Test");
  TDialogScript answerer({});
  // A period is added only after a character that sorts after it.
  const std::pair<const char*, const char*> cases[] = {
      {"Disk full", "Disk full."},
      {"Done.", "Done."},
      {"Really?", "Really?."},
      {"(x)", "(x)"},
      {"", ""},
  };
  for (const auto& [message, shown] : cases) {
    application.HandleException(std::make_exception_ptr(std::runtime_error(message)));
  }

  ASSERT_EQ(answerer.Seen().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const TMessageBoxSeen& box = answerer.Seen()[i];
    EXPECT_EQ(box.Text, cases[i].second);
    EXPECT_EQ(box.Caption, "Quillet Test");
    EXPECT_TRUE(box.ErrorIcon) << box.Text;
    EXPECT_EQ(box.Buttons, std::vector<int>{IDOK}) << box.Text;
  }
}

} // namespace
