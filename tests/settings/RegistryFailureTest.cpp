#include "Expectations.h"
#include "RegistryCalls.h"
#include "StoredSession.h"
#include "StoredValues.h"

#include "support/DialogScript.h"
#include "support/StoredSettings.h"

#include <gtest/gtest.h>

namespace {

class RegistryFailureTest : public TStoredSessionTest {};

TEST_F(RegistryFailureTest, AFailedSaveKeepsWhatWasWrittenAndTheDestructionTriesOnceMore) {
  ClearStoredSettings();
  TStoredSession session(Log());
  session.Show();
  SetText(session.Form().edStartDir, "C:\\Typed");
  std::vector<std::string> calls;
  {
    TRegistryCalls recorder;
    recorder.FailKey(ItemsSection);
    ASSERT_TRUE(session.PressCloseBox());
    EXPECT_EQ(session.Errors(),
              std::vector<std::string>{"Failed to create key Main.edFileMasks_Items"});
    EXPECT_EQ(StoredValues(MainSection).at("Visible"), Sz("0"));
    session.End();
    calls = recorder.Calls();
  }
  EXPECT_EQ(session.Saves(), 0);
  EXPECT_EQ(TakeErrors().size(), 2u);
  EXPECT_EQ(calls, Joined({PlacementWrites("Main"), PlacementWrites("Main")}));
  const TStoredValues stored = StoredValues(MainSection);
  EXPECT_EQ(stored.size(), PlacementWrites("Main").size());
  EXPECT_EQ(stored.at("Visible"), Sz("1")) << "stored last from the window's destruction";
  EXPECT_EQ(StoredSections(), std::vector<std::string>{MainSection});
}

TEST_F(RegistryFailureTest, TheDefaultErrorReportShowsAFailedWrite) {
  ClearStoredSettings();
  TDialogScript script({Press(IDOK), Press(IDOK)});
  TStoredSession session(Log(), false);
  session.Show();
  TRegistryCalls recorder;
  recorder.FailValue("edStartDir_Text");
  ASSERT_TRUE(session.PressCloseBox());
  ASSERT_EQ(script.Seen().size(), 1u);
  EXPECT_EQ(script.Seen()[0].Caption, "KOVQuillet");
  EXPECT_EQ(script.Seen()[0].Text, "Failed to set data for 'edStartDir_Text'");
  EXPECT_TRUE(script.Seen()[0].ErrorIcon);
  EXPECT_EQ(recorder.Calls(),
            Joined({PlacementWrites("Main"), ItemWrites(9), {"set Main\\edFileMasks_Text"}}));

  recorder.FailValue("");
  recorder.FailKey("Main");
  session.End();
  ASSERT_EQ(script.Seen().size(), 2u);
  // The full stop is added after a letter.
  EXPECT_EQ(script.Seen()[1].Text, "Failed to create key Main.");
  EXPECT_EQ(session.Saves(), 0);
}

} // namespace
