#include "Expectations.h"
#include "StoredSession.h"
#include "StoredValues.h"

#include "support/StoredSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class OddRegistryValuesTest : public TStoredSessionTest {};

// Values of every registry type, of lengths around the 260 that fixed buffers would have,
// with and without a terminating NUL.
struct TOddValue {
  DWORD Type;
  std::size_t Length;
  bool Terminated;

  TStoredValue Value() const {
    std::string data(Length, '7'); // digits, so that numbers overflow rather than stop
    if (Terminated && Length > 0) {
      data.back() = '\0';
    }
    return {Type, data};
  }
  bool IsText() const { return Type == REG_SZ || Type == REG_EXPAND_SZ; }
  std::string Name() const {
    return "type " + std::to_string(Type) + ", " + std::to_string(Length) + " bytes" +
           (Terminated ? ", NUL" : "");
  }
};

std::vector<TOddValue> OddValues() {
  std::vector<TOddValue> values;
  for (const DWORD type : {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD,
                           REG_DWORD_BIG_ENDIAN, REG_LINK, REG_MULTI_SZ, REG_QWORD}) {
    for (const std::size_t length : {0, 1, 2, 259, 260, 261, 65536}) {
      values.push_back({type, length, false});
      // A terminating NUL means something to the string types only.
      if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
        values.push_back({type, length, true});
      }
    }
  }
  return values;
}

// What every close writes: the placement and the properties as registry strings, and the
// list as a count with that many items.
void ExpectAValidLayout() {
  const TStoredValues main = StoredValues(MainSection);
  for (const std::string& write : Joined({PlacementWrites("Main"), PropertyWrites()})) {
    const std::string name = write.substr(write.find('\\') + 1);
    ASSERT_TRUE(main.count(name)) << name;
    EXPECT_EQ(main.at(name).Type, static_cast<DWORD>(REG_SZ)) << name;
  }
  const TStoredValues items = StoredValues(ItemsSection);
  if (!items.empty()) {
    ASSERT_TRUE(items.count("Count"));
    const int count = std::stoi(items.at("Count").Data);
    EXPECT_EQ(items.size(), static_cast<std::size_t>(count) + 1);
  }
}

TEST_F(OddRegistryValuesTest, StoredPropertiesOfAnyTypeAndLengthAreSkippedOrTakenAsText) {
  const char* const properties[] = {"edFileMasks_Text", "edStartDir_Text",
                                    "IncludeSubFolders_Checked", "SaveDialog1_InitialDir",
                                    "SaveDialog1_FileName"};
  for (const TOddValue& odd : OddValues()) {
    SCOPED_TRACE(odd.Name());
    ClearStoredSettings();
    TStoredValues main;
    for (const char* name : properties) {
      main[name] = odd.Value();
    }
    StoreValues(MainSection, main);
    StoreValues(ItemsSection, {{"Count", odd.Value()}, {"Item0", odd.Value()}});
    {
      TStoredSession session(Log());
      session.Show();
      EXPECT_TRUE(IsWindowVisible(session.Form().Handle()));
      // A text is taken up to its first NUL; anything else leaves the box alone. (An edit
      // box holds some 30,000 characters at the most.)
      const std::string text = odd.IsText() ? odd.Value().Data.c_str() : "";
      if (text.size() < 30000) {
        EXPECT_EQ(session.Form().edStartDir->Text(), text);
      }
      ASSERT_TRUE(session.PressCloseBox());
    }
    ExpectAValidLayout();
  }
}

TEST_F(OddRegistryValuesTest, PlacementValuesOfAnotherTypeAreReportedAndTextsFallBack) {
  const char* const placement[] = {"FormVersion",   "Flags",     "ShowCmd",
                                   "PixelsPerInch", "MinMaxPos", "NormPos"};
  std::size_t next = 0;
  for (const TOddValue& odd : OddValues()) {
    SCOPED_TRACE(odd.Name());
    ClearStoredSettings();
    // Another type stops the restore at the first value read, so one name at a time;
    // texts that do not convert fall back value by value, so all of them at once.
    const bool reported = !odd.IsText() && odd.Length > 0;
    const std::string name = placement[next++ % std::size(placement)];
    TStoredValues stored = {{"edStartDir_Text", Sz("C:\\Stored")}};
    if (reported) {
      stored[name] = odd.Value();
    } else {
      for (const char* each : placement) {
        stored[each] = odd.Value();
      }
    }
    StoreValues(MainSection, stored);
    // As the registry holds them (it may end a list of strings with a NUL of its own).
    const TStoredValues before = StoredValues(MainSection);
    {
      TStoredSession session(Log());
      session.Show();
      EXPECT_TRUE(IsWindowVisible(session.Form().Handle()));
      ASSERT_TRUE(session.PressCloseBox());
    }
    if (reported) {
      EXPECT_EQ(TakeErrors(), std::vector<std::string>{"Invalid data type for '" + name + "'"});
      EXPECT_EQ(StoredValues(MainSection), before) << "nothing is stored after the error";
    } else {
      ExpectAValidLayout();
      EXPECT_EQ(StoredValues(MainSection).at("edStartDir_Text"), Sz("C:\\Stored"));
    }
  }
}

} // namespace
