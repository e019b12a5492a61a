#include "Strings.h"
#include "ListBox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Either kind of list keeps what it is given, as given and in that order.
void ExpectKeepsItemsAsAdded(TStrings& items) {
  const std::vector<std::string> added = {
      "zeta", "Alpha", "", "alpha", "zeta", "Caf\xE9 100 \x80", std::string(300, 'x')};
  for (std::size_t i = 0; i < added.size(); ++i) {
    EXPECT_EQ(items.Add(added[i]), static_cast<int>(i));
  }
  ASSERT_EQ(items.Count(), static_cast<int>(added.size()));
  for (std::size_t i = 0; i < added.size(); ++i) {
    EXPECT_EQ(items.Get(static_cast<int>(i)), added[i]);
  }
  EXPECT_THROW(items.Get(-1), std::out_of_range);
  EXPECT_THROW(items.Get(items.Count()), std::out_of_range);

  items.Clear();
  EXPECT_EQ(items.Count(), 0);
  EXPECT_THROW(items.Get(0), std::out_of_range);
  EXPECT_EQ(items.Add("again"), 0);
  EXPECT_EQ(items.Get(0), "again");
}

TEST(StringsTest, StringListKeepsItemsAsAdded) {
  TStringList list;
  ExpectKeepsItemsAsAdded(list);
}

TEST(StringsTest, ListBoxKeepsItemsAsAddedInTheControlItself) {
  TComponent form(nullptr);
  auto* listBox = new TListBox(&form, nullptr);
  const HWND window = listBox->Handle();
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  EXPECT_STRCASEEQ(className, "ListBox"); // the system's own, as tools from outside expect
  EXPECT_FALSE(IsWindowVisible(window));

  ExpectKeepsItemsAsAdded(listBox->Items());
  EXPECT_EQ(SendMessageA(window, LB_GETCOUNT, 0, 0), 1);
  char text[16] = {};
  SendMessageA(window, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "again");

  delete listBox;
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(StringsTest, WhatFitsIsCutBetweenCharactersOfTheCodePage) {
  const std::string so = "\x83\x5C"; // one character of code page 932
  const std::string text = "a" + so + "b";
  struct TCase {
    std::size_t Size;
    UINT CodePage;
    std::string Copied;
  };
  // "a", then "д" (two bytes), "日" (three) and "😀" (four) in UTF-8.
  const std::string utf8 = "a\xD0\xB4\xE6\x97\xA5\xF0\x9F\x98\x80";
  for (const TCase& check :
       {TCase{5, 932, text}, TCase{4, 932, "a" + so}, TCase{3, 932, "a"}, TCase{1, 932, ""},
        TCase{3, 1252, "a\x83"}, TCase{11, CP_UTF8, utf8}, TCase{10, CP_UTF8, utf8.substr(0, 6)},
        TCase{6, CP_UTF8, utf8.substr(0, 3)}, TCase{3, CP_UTF8, "a"}}) {
    const std::string& source = check.CodePage == CP_UTF8 ? utf8 : text;
    char buffer[12];
    std::memset(buffer, '#', sizeof buffer);
    CopyWhatFits(source, buffer, check.Size, check.CodePage);
    EXPECT_EQ(std::string(buffer), check.Copied) << check.Size << " bytes, " << check.CodePage;
  }
  // Upper case where a letter stands as a character: in code page 932 "a" may be a second byte.
  EXPECT_EQ(AsciiUpperCase("a\x83\x61\xD0\xB4z", 932), "A\x83\x61\xD0\xB4Z");
  EXPECT_EQ(AsciiUpperCase("a\x83\x61\xD0\xB4z", CP_UTF8), "A\x83\x41\xD0\xB4Z");
}

} // namespace
