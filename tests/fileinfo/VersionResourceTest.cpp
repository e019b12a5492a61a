#include "VersionFixtures.h"

#include "VersionResource.h"

#include <gtest/gtest.h>

namespace {

using TKeys = std::optional<std::vector<std::string>>;

// Keys of the block as GetFileVersionInfoA hands it over, with room behind it.
TKeys KeysOf(const TVersionBlock& root, bool wide = true) {
  std::string bytes = EncodeBlock(root, wide);
  bytes.resize(bytes.size() * 2 + 4, '\0');
  return StringTableKeys(bytes.data(), bytes.size());
}

TVersionBlock Root(std::vector<TVersionBlock> tables) {
  return VersionRoot(
      FixedPart(0, VOS_NT, VFT_APP, 0),
      {{.Key = "StringFileInfo", .Children = std::move(tables)}, Translation(0x0409, 1252)});
}

TVersionBlock Table(const std::string& key, std::vector<TVersionBlock> strings = {}) {
  return {.Key = key, .Children = std::move(strings)};
}

TEST(VersionResourceTest, ListsTheStringTablesOfBothLayouts) {
  const TVersionBlock root = Root({Table("041D04B0", {TextValue("FileVersion", "1.0")}),
                                   Table("040904E4", {TextValue("Comments", "")})});
  const TKeys expected = std::vector<std::string>{"041D04B0", "040904E4"};
  EXPECT_EQ(KeysOf(root, true), expected);
  EXPECT_EQ(KeysOf(root, false), expected);

  // A length of 0 ends the children, as it does for the system.
  TVersionBlock ended = root;
  ended.Children[0].Children[1].Length = 0;
  EXPECT_EQ(KeysOf(ended), TKeys(std::vector<std::string>{"041D04B0"}));
}

TEST(VersionResourceTest, RefusesLengthsThatLeaveTheirBlock) {
  TVersionBlock string = TextValue("FileVersion", "9.9");
  std::vector<TVersionBlock> broken;
  string.Length = 0x7FF0; // past its table
  broken.push_back(Root({Table("040904E4", {string})}));
  string.Length = 10; // ends inside its key
  broken.push_back(Root({Table("040904E4", {string})}));
  string.Length = 34; // ends inside its value
  broken.push_back(Root({Table("040904E4", {string})}));
  string.Length = 4; // shorter than a header
  broken.push_back(Root({Table("040904E4", {string})}));
  for (const TVersionBlock& root : broken) {
    EXPECT_EQ(KeysOf(root), std::nullopt) << *root.Children[0].Children[0].Children[0].Length;
  }

  // A block longer than the buffer, and buffers too short for a header.
  const std::string bytes = EncodeBlock(Root({Table("040904E4")}));
  EXPECT_EQ(StringTableKeys(bytes.data(), bytes.size() - 1), std::nullopt);
  EXPECT_EQ(StringTableKeys(bytes.data(), 5), std::nullopt);
  EXPECT_EQ(StringTableKeys(bytes.data(), 0), std::nullopt);
}

} // namespace
