#include "Expectations.h"
#include "StoredSession.h"
#include "StoredValues.h"

#include "support/DialogScript.h"
#include "support/StoredSettings.h"

#include <gtest/gtest.h>

namespace {

const char StoredRect[] = "100,120,600,520";
const char PlainRect[] = "10,20,410,420";

// Starts the window on these values of the main section and answers where it opened.
struct TOpened {
  std::string Rect;   // its window rectangle while it is in its normal state
  std::string Normal; // its normal rectangle, whatever its state
  TWindowState State = wsNormal;
  POINT MinPosition = {};
};

class PlacementRestoreTest : public TStoredSessionTest {
protected:
  TOpened OpenOn(const TStoredValues& values);
};

TOpened PlacementRestoreTest::OpenOn(const TStoredValues& values) {
  ClearStoredSettings();
  StoreValues(MainSection, values);
  TStoredSession session(Log());
  session.Show();
  const HWND window = session.Form().Handle();
  TOpened opened;
  opened.State = IsIconic(window) ? wsMinimized : IsZoomed(window) ? wsMaximized : wsNormal;
  opened.Rect = RectText(WindowRect(window));
  opened.Normal = RectText(PlacementOf(window).rcNormalPosition);
  opened.MinPosition = PlacementOf(window).ptMinPosition;
  return opened;
}

TEST_F(PlacementRestoreTest, ThePositionForThisScreenIsPreferredAndThePlainOneIsTheFallback) {
  struct TCase {
    const char* Name;
    TStoredValues Values;
    std::string Expected;
  };
  const TCase cases[] = {
      {"both names",
       {{Suffixed("NormPos"), Sz(StoredRect)}, {"NormPos", Sz(PlainRect)}},
       StoredRect},
      {"plain only", {{"NormPos", Sz(PlainRect)}}, PlainRect},
      {"suffixed empty", {{Suffixed("NormPos"), Sz("")}, {"NormPos", Sz(PlainRect)}}, PlainRect},
      {"another screen's",
       {{"NormPos(640x480)", Sz(StoredRect)}, {"NormPos", Sz(PlainRect)}},
       PlainRect},
      // The missing right and bottom are the designed window's own edges.
      {"two numbers",
       {{"NormPos", Sz("100, ,100")}},
       RectText({100, 100, DesignedRect().right, DesignedRect().bottom})},
      {"unexpanded string",
       {{"NormPos", {REG_EXPAND_SZ, std::string(StoredRect) + '\0'}}},
       StoredRect},
      {"unreadable resolution",
       {{"NormPos", Sz(StoredRect)}, {"PixelsPerInch", Sz("96x")}},
       StoredRect},
      // A value without data reads as empty text, whatever its type.
      {"flags without data", {{"NormPos", Sz(StoredRect)}, {"Flags", {REG_DWORD, ""}}}, StoredRect},
      // A rectangle without width is not applied.
      {"no width", {{"NormPos", Sz("300,300,300,500")}}, RectText(CentredRect())},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    const TOpened opened = OpenOn(test.Values);
    EXPECT_EQ(opened.State, wsNormal);
    EXPECT_EQ(opened.Rect, test.Expected);
  }

  // The first two numbers are the minimized position, which the stored flags apply. Found
  // alone, the positions place the window where it was before it showed, not centred.
  const TOpened opened = OpenOn({{"Flags", Sz("1")}, {"MinMaxPos", Sz("5, 6,,7,8")}});
  EXPECT_EQ(opened.MinPosition.x, 5);
  EXPECT_EQ(opened.MinPosition.y, 6);
  EXPECT_EQ(opened.Rect, RectText(DesignedRect()));
}

TEST_F(PlacementRestoreTest, AnotherPixelsPerInchKeepsTheDesignedPlaceButTheStoredState) {
  const std::string otherPixels = std::to_string(ScreenPixelsPerInch() + 24);
  const TOpened normal = OpenOn({{"NormPos", Sz(StoredRect)}, {"PixelsPerInch", Sz(otherPixels)}});
  EXPECT_EQ(normal.State, wsNormal);
  EXPECT_EQ(normal.Rect, RectText(CentredRect()));

  const TOpened maximized = OpenOn(
      {{"NormPos", Sz(StoredRect)}, {"PixelsPerInch", Sz(otherPixels)}, {"ShowCmd", Sz("3")}});
  EXPECT_EQ(maximized.State, wsMaximized);
  EXPECT_EQ(maximized.Normal, RectText(CentredRect()));
}

TEST_F(PlacementRestoreTest, ShowCmdGivesTheStartState) {
  const struct {
    const char* ShowCmd;
    TWindowState State;
  } cases[] = {{"0", wsNormal},  {"1", wsNormal},     {"2", wsMinimized}, {"3", wsMaximized},
               {"4", wsNormal},  {"6", wsMinimized},  {"7", wsMinimized}, {"9", wsNormal},
               {"11", wsNormal}, {" 3", wsMaximized}, {"x3", wsNormal}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.ShowCmd);
    const TOpened opened = OpenOn({{"NormPos", Sz(StoredRect)}, {"ShowCmd", Sz(test.ShowCmd)}});
    EXPECT_EQ(opened.State, test.State);
    EXPECT_EQ(opened.Normal, StoredRect);
    // Ended without a close, the window is stored as it is from its destruction.
    const char* const showCmds[] = {"1", "2", "3"};
    const TStoredValues stored = StoredValues(MainSection);
    EXPECT_EQ(stored.at("ShowCmd"), Sz(showCmds[test.State]));
    EXPECT_EQ(stored.at("NormPos"), Sz(StoredRect));
    EXPECT_EQ(stored.at("Visible"), Sz("1"));
  }
}

TEST_F(PlacementRestoreTest, AnOlderFormVersionRestoresNothingYetTheCloseStoresEverything) {
  ClearStoredSettings();
  StoreValues(MainSection, {{"FormVersion", Sz("-1")},
                            {"NormPos", Sz(StoredRect)},
                            {"ShowCmd", Sz("3")},
                            {"edStartDir_Text", Sz("C:\\Stored")}});
  StoreItems({"*.stored"});
  {
    TStoredSession session(Log());
    session.Show();
    const TfrmQuilletMain& form = session.Form();
    EXPECT_EQ(RectText(WindowRect(form.Handle())), RectText(CentredRect()));
    EXPECT_FALSE(IsZoomed(form.Handle()));
    EXPECT_EQ(form.edStartDir->Text(), "");
    EXPECT_EQ(Items(form), Presets);
    ASSERT_TRUE(session.PressCloseBox());
    const TStoredValues stored = StoredValues(MainSection);
    EXPECT_EQ(stored.at("FormVersion"), Sz("0"));
    EXPECT_EQ(stored.at("ShowCmd"), Sz("1"));
    EXPECT_EQ(stored.at("NormPos"), Sz(RectText(CentredRect())));
    EXPECT_EQ(stored.at("edStartDir_Text"), Sz(""));
    EXPECT_EQ(StoredValues(ItemsSection), ItemValues(Presets));
  }

  // A version that is not a number counts as 0, the component's own: restored.
  const TOpened opened = OpenOn({{"FormVersion", Sz("new")}, {"NormPos", Sz(StoredRect)}});
  EXPECT_EQ(opened.Rect, StoredRect);
}

TEST_F(PlacementRestoreTest, AWrongTypeInThePlacementIsReportedAndNothingIsStored) {
  const std::vector<std::string> names = {"FormVersion",   "Flags",     "ShowCmd",
                                          "PixelsPerInch", "MinMaxPos", Suffixed("NormPos")};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    ClearStoredSettings();
    const TStoredValues prepared = {{"edStartDir_Text", Sz("C:\\Stored")},
                                    {"NormPos", Sz(StoredRect)},
                                    {name, {REG_DWORD, std::string("\x01\0\0\0", 4)}}};
    StoreValues(MainSection, prepared);
    TStoredSession session(Log());
    session.Show();
    EXPECT_EQ(session.Errors(), std::vector<std::string>{"Invalid data type for '" + name + "'"});
    EXPECT_EQ(session.Form().edStartDir->Text(), "");
    ASSERT_TRUE(session.PressCloseBox());
    session.End();
    EXPECT_EQ(session.Saves(), 0);
    EXPECT_EQ(TakeErrors().size(), 1u);
    EXPECT_EQ(StoredValues(MainSection), prepared);
    EXPECT_EQ(StoredSections(), std::vector<std::string>{MainSection});
  }
}

TEST_F(PlacementRestoreTest, TheDefaultErrorReportShowsARegistryError) {
  ClearStoredSettings();
  StoreDword(MainSection, "Flags", 0);
  TDialogScript script({Press(IDOK)});
  TStoredSession session(Log(), false);
  session.Show();
  ASSERT_EQ(script.Seen().size(), 1u);
  EXPECT_EQ(script.Seen()[0].Caption, "KOVQuillet");
  // Nothing follows the quote, which sorts before the full stop.
  EXPECT_EQ(script.Seen()[0].Text, "Invalid data type for 'Flags'");
  EXPECT_TRUE(script.Seen()[0].ErrorIcon);
  EXPECT_TRUE(IsWindowVisible(session.Form().Handle()));
}

} // namespace
