#include "Expectations.h"
#include "RegistryCalls.h"
#include "StoredSession.h"
#include "StoredValues.h"

#include "support/StoredSettings.h"

#include <gtest/gtest.h>

namespace {

class StoredSettingsTest : public TStoredSessionTest {};

// The placement values a close writes for a window placed as it is now.
TStoredValues PlacementValues(HWND window) {
  const WINDOWPLACEMENT placement = PlacementOf(window);
  const std::string minMax = std::to_string(placement.ptMinPosition.x) + "," +
                             std::to_string(placement.ptMinPosition.y) + "," +
                             std::to_string(placement.ptMaxPosition.x) + "," +
                             std::to_string(placement.ptMaxPosition.y);
  return {{"FormVersion", Sz("0")},
          {"Flags", Sz(std::to_string(placement.flags))},
          {"ShowCmd", Sz(std::to_string(placement.showCmd))},
          {"PixelsPerInch", Sz(std::to_string(ScreenPixelsPerInch()))},
          {"MinMaxPos", Sz(minMax)},
          {Suffixed("MinMaxPos"), Sz(minMax)},
          {"NormPos", Sz(RectText(placement.rcNormalPosition))},
          {Suffixed("NormPos"), Sz(RectText(placement.rcNormalPosition))},
          {"Visible", Sz("0")}};
}

TEST_F(StoredSettingsTest, FirstStartCreatesTheEmptyKeyAndFirstCloseWritesEveryValueInOrder) {
  ClearStoredSettings();
  TStoredSession session(Log());
  const HWND window = session.Form().Handle();
  EXPECT_FALSE(ProductKeyExists()) << "nothing is read before the window shows";
  {
    TRegistryCalls recorder;
    session.Show();
    EXPECT_TRUE(recorder.Calls().empty()) << "restoring writes nothing";
  }
  EXPECT_TRUE(ProductKeyExists());
  EXPECT_TRUE(StoredSections().empty());
  EXPECT_TRUE(StoredValues("").empty());
  // Nothing stored: the window opens as designed.
  EXPECT_EQ(RectText(WindowRect(window)), RectText(CentredRect()));
  EXPECT_FALSE(IsZoomed(window) || IsIconic(window));
  EXPECT_EQ(Items(session.Form()), Presets);
  if (SystemKeepsMaxPosition()) {
    // Maximized, the frame lies just off the screen.
    const WINDOWPLACEMENT placement = PlacementOf(window);
    EXPECT_EQ(placement.ptMaxPosition.x, -GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(placement.ptMaxPosition.y, -GetSystemMetrics(SM_CYFRAME));
  }

  TStoredValues expected = PlacementValues(window);
  EXPECT_EQ(expected["ShowCmd"], Sz("1"));
  EXPECT_EQ(expected["NormPos"], Sz(RectText(CentredRect())));
  std::vector<std::string> calls;
  {
    TRegistryCalls recorder;
    ASSERT_TRUE(session.PressCloseBox());
    calls = recorder.Calls();
  }
  // No stored list yet, so there is nothing to delete before it is written.
  EXPECT_EQ(calls, Joined({PlacementWrites("Main"), ItemWrites(9), PropertyWrites()}));
  expected.insert({{"edFileMasks_Text", Sz("")},
                   {"edStartDir_Text", Sz("")},
                   {"IncludeSubFolders_Checked", Sz("True")},
                   {"SaveDialog1_InitialDir", Sz("")},
                   {"SaveDialog1_FileName", Sz("")}});
  EXPECT_EQ(StoredValues(MainSection), expected);
  EXPECT_EQ(StoredValues(ItemsSection), ItemValues(Presets));
  EXPECT_EQ(StoredSections(), (std::vector<std::string>{MainSection, ItemsSection}));
  EXPECT_TRUE(StoredValues("").empty());
  session.End();
  EXPECT_EQ(session.Saves(), 1);
}

TEST_F(StoredSettingsTest, EachWayOfClosingStoresOnce) {
  for (const TCloseWay& way : CloseWays()) {
    SCOPED_TRACE(way.Name);
    ClearStoredSettings();
    TStoredSession session(Log());
    session.Show();
    SetText(session.Form().edStartDir, way.Name);
    way.Request(session.Form());
    ASSERT_TRUE(session.WaitForEnd());
    EXPECT_EQ(session.Saves(), 1);
    session.End();
    EXPECT_EQ(session.Saves(), 1) << "the window's destruction stores nothing more";
    const TStoredValues stored = StoredValues(MainSection);
    EXPECT_EQ(stored.at("edStartDir_Text"), Sz(way.Name));
    EXPECT_EQ(stored.at("Visible"), Sz("0"));
  }
}

TEST_F(StoredSettingsTest, TheListIsRewrittenAtEverySaveAndAnEmptyOneDeletesItsKey) {
  ClearStoredSettings();
  StoreItems({"*.a", "*.b"});
  // A key below the list goes with it, deepest first.
  StoreText(std::string(ItemsSection) + "\\Stale\\Deeper", "Left", "over");
  const std::vector<std::string> stored = {"*.a", "*.b"};
  {
    TStoredSession session(Log());
    session.Show();
    EXPECT_EQ(Items(session.Form()), stored);
    TRegistryCalls recorder;
    ASSERT_TRUE(session.PressCloseBox());
    EXPECT_EQ(recorder.Calls(),
              Joined({PlacementWrites("Main"),
                      {"delete Deeper", "delete Stale", "delete Main.edFileMasks_Items"},
                      ItemWrites(2),
                      PropertyWrites()}));
  }
  EXPECT_EQ(StoredValues(ItemsSection), ItemValues(stored));
  {
    TStoredSession session(Log());
    session.Show();
    EXPECT_EQ(Items(session.Form()), stored);
    session.Form().edFileMasks->Items().Clear();
    TRegistryCalls recorder;
    ASSERT_TRUE(session.PressCloseBox());
    EXPECT_EQ(
        recorder.Calls(),
        Joined({PlacementWrites("Main"), {"delete Main.edFileMasks_Items"}, PropertyWrites()}));
  }
  EXPECT_EQ(StoredSections(), std::vector<std::string>{MainSection});

  TStoredSession next(Log());
  next.Show();
  EXPECT_EQ(Items(next.Form()), Presets);
}

} // namespace
