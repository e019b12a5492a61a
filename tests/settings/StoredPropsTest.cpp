#include "Application.h"
#include "Expectations.h"
#include "RegistryCalls.h"
#include "StoredSession.h"
#include "StoredValues.h"

#include "support/StoredSettings.h"

#include "Button.h"
#include "Edit.h"
#include "Placement.h"

#include <gtest/gtest.h>

namespace {

class StoredPropsTest : public TStoredSessionTest {};

TEST_F(StoredPropsTest, TextsAreTrimmedListItemsAreKeptAsTheyAre) {
  ClearStoredSettings();
  StoreValues(MainSection, {{"edFileMasks_Text", Sz(" *.txt\t")},
                            {"edStartDir_Text", Sz("  C:\\Stored  ")},
                            {"SaveDialog1_InitialDir", Sz(" C:\\Reports ")},
                            {"SaveDialog1_FileName", Sz("\r\nlist.txt ")}});
  const std::vector<std::string> items = {" *.a ", "*.b  ", "", "  "};
  StoreItems(items);
  TStoredSession session(Log());
  session.Show();
  TfrmQuilletMain& form = session.Form();
  EXPECT_EQ(form.edFileMasks->Text(), "*.txt");
  EXPECT_EQ(form.edStartDir->Text(), "C:\\Stored");
  EXPECT_EQ(form.SaveDialog1->InitialDir(), "C:\\Reports");
  EXPECT_EQ(form.SaveDialog1->FileName(), "list.txt");
  EXPECT_EQ(Items(form), items);

  SetText(form.edStartDir, "  C:\\Typed \t");
  SetText(form.edFileMasks, " *.dll ");
  form.SaveDialog1->SetFileName(" saved.txt ");
  ASSERT_TRUE(session.PressCloseBox());
  const TStoredValues stored = StoredValues(MainSection);
  EXPECT_EQ(stored.at("edStartDir_Text"), Sz("C:\\Typed"));
  EXPECT_EQ(stored.at("edFileMasks_Text"), Sz("*.dll"));
  EXPECT_EQ(stored.at("SaveDialog1_InitialDir"), Sz("C:\\Reports"));
  EXPECT_EQ(stored.at("SaveDialog1_FileName"), Sz("saved.txt"));
  EXPECT_EQ(StoredValues(ItemsSection), ItemValues(items));
}

TEST_F(StoredPropsTest, TheStoredCountSaysHowManyItemsTheListGets) {
  const struct {
    const char* Name;
    TStoredValues Stored;
    std::vector<std::string> Expected;
  } cases[] = {
      // Never more items than the section holds values, whatever the count says.
      {"three with only the first", {{"Count", Sz("3")}, {"Item0", Sz("*.only")}}, {"*.only", ""}},
      {"a hundred million", {{"Count", Sz("100000000")}, {"Item0", Sz("*.a")}}, {"*.a", ""}},
      {"count with blanks",
       {{"Count", Sz(" 2 ")}, {"Item0", Sz("*.a")}, {"Item1", Sz("*.b")}},
       {"*.a", "*.b"}},
      {"no count", {{"Item0", Sz("*.a")}}, Presets},
      {"zero", {{"Count", Sz("0")}, {"Item0", Sz("*.a")}}, Presets},
      {"negative", {{"Count", Sz("-2")}, {"Item0", Sz("*.a")}}, Presets},
      {"not a number", {{"Count", Sz("two")}, {"Item0", Sz("*.a")}}, Presets},
      // An item of another type spoils the list, not the other properties.
      {"item of another type",
       {{"Count", Sz("2")}, {"Item0", Sz("*.a")}, {"Item1", {REG_DWORD, "\1\0\0\0"}}},
       Presets},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.Name);
    ClearStoredSettings();
    StoreValues(ItemsSection, test.Stored);
    StoreText(MainSection, "edFileMasks_Text", "*.kept");
    TStoredSession session(Log());
    session.Show();
    EXPECT_EQ(Items(session.Form()), test.Expected);
    EXPECT_EQ(session.Form().edFileMasks->Text(), "*.kept");
  }
}

TEST_F(StoredPropsTest, ARestoredListKeepsTheTextTheBoxHasWhenNoneIsStored) {
  for (const bool wrongType : {false, true}) {
    SCOPED_TRACE(wrongType ? "text of another type" : "no text");
    ClearStoredSettings();
    StoreItems({"*.a", "*.b"});
    if (wrongType) {
      StoreDword(MainSection, "edFileMasks_Text", 7);
    }
    TStoredSession session(Log());
    session.Show();
    SetText(session.Form().edFileMasks, "*.typed");
    session.Form().FormStorage1->RestoreState();
    EXPECT_EQ(Items(session.Form()), (std::vector<std::string>{"*.a", "*.b"}));
    EXPECT_EQ(session.Form().edFileMasks->Text(), "*.typed");
  }
}

TEST_F(StoredPropsTest, OnlyTrueOrFalseInAnyCaseSetsTheCheckBox) {
  const struct {
    const char* Stored;
    bool Checked;
  } cases[] = {{"false", false}, {"FALSE", false}, {" False ", false},
               {"True", true},   {"tRUE", true},   {"no", true},
               {"0", true},      {"", true},       {"Falsey", true}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.Stored);
    ClearStoredSettings();
    StoreText(MainSection, "IncludeSubFolders_Checked", test.Stored);
    TStoredSession session(Log());
    session.Show();
    EXPECT_EQ(session.Form().IncludeSubFolders->Checked(), test.Checked);
    ASSERT_TRUE(session.PressCloseBox());
    EXPECT_EQ(StoredValues(MainSection).at("IncludeSubFolders_Checked"),
              Sz(test.Checked ? "True" : "False"));
  }
}

TEST_F(StoredPropsTest, AValueOfAnotherTypeIsSkippedSilently) {
  ClearStoredSettings();
  StoreDword(MainSection, "edStartDir_Text", 7);
  StoreValues(MainSection, {{"edFileMasks_Text", Sz("*.txt")},
                            {"IncludeSubFolders_Checked", Sz("False")},
                            {"SaveDialog1_FileName", Sz("list.txt")},
                            {"NormPos", Sz("100,120,600,520")}});
  StoreItems({"*.txt"});
  TStoredSession session(Log());
  session.Show();
  const TfrmQuilletMain& form = session.Form();
  EXPECT_EQ(form.edStartDir->Text(), "");
  EXPECT_EQ(form.edFileMasks->Text(), "*.txt");
  EXPECT_EQ(Items(form), std::vector<std::string>{"*.txt"});
  EXPECT_FALSE(form.IncludeSubFolders->Checked());
  EXPECT_EQ(form.SaveDialog1->FileName(), "list.txt");
  EXPECT_EQ(RectText(WindowRect(form.Handle())), "100,120,600,520");
  // The close stores the folder box again, as a string.
  ASSERT_TRUE(session.PressCloseBox());
  EXPECT_EQ(StoredValues(MainSection).at("edStartDir_Text"), Sz(""));
}

// A form of the test's own, whose stored properties name what it has and what it has not.
class TProbeForm : public TForm {
public:
  explicit TProbeForm(TComponent* owner) : TForm(owner, "TProbeForm") {
    SetName("Probe");
    Storage = new TFormStorage(this);
    Storage->SetIniFileName(ProductKey);
    Storage->SetIniSection("Probe");
    Storage->SetStoredProps({"edName", "missing.Text", ".Text", "edName.", " EDNAME . text ",
                             "cbFlag.Checked", "cbFlag.NoSuchProperty", "Missing.Checked"});
    edName = new TEdit(this, Handle());
    edName->SetName("edName");
    cbFlag = new TCheckBox(this, Handle());
    cbFlag->SetName("cbFlag");
    DoCreate();
  }
  ~TProbeForm() override { DoDestroy(); }

  TFormStorage* Storage;
  TEdit* edName;
  TCheckBox* cbFlag;
};

TEST_F(StoredPropsTest, EntriesWithoutADotOrAComponentAreDroppedAndNeverReadOrWritten) {
  ClearStoredSettings();
  StoreValues("Probe", {{"edName_Text", Sz(" restored ")},
                        {"cbFlag_Checked", Sz("True")},
                        {"cbFlag_NoSuchProperty", Sz("x")},
                        {"missing_Text", {REG_DWORD, "\1\0\0\0"}}});
  TErrorLog errors;
  TApplication application;
  application.OnException = Bind<&TErrorLog::Report>(&errors);
  auto* form = new TProbeForm(&application);
  EXPECT_EQ(
      form->Storage->StoredProps(),
      (std::vector<std::string>{" EDNAME . text ", "cbFlag.Checked", "cbFlag.NoSuchProperty"}));
  form->Show();
  EXPECT_EQ(form->edName->Text(), "restored");
  EXPECT_TRUE(form->cbFlag->Checked());
  // Each entry names its component as the component is named now.
  EXPECT_EQ(form->Storage->StoredProps(),
            (std::vector<std::string>{"edName.text", "cbFlag.Checked", "cbFlag.NoSuchProperty"}));

  // An entry goes with its component.
  delete form->cbFlag;
  SetText(form->edName, "typed");
  TRegistryCalls recorder;
  form->Close();
  EXPECT_EQ(form->Storage->StoredProps(), std::vector<std::string>{"edName.text"});
  EXPECT_EQ(recorder.Calls(), Joined({PlacementWrites("Probe"), {"set Probe\\edName_Text"}}));
  EXPECT_EQ(StoredValues("Probe").at("edName_Text"), Sz("typed"));
  EXPECT_TRUE(errors.Messages().empty());
  TakeQuitMessage();
}

} // namespace
