#include "VersionFixtures.h"

#include "VersionResource.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
using TKeys = std::vector<std::string>;

// The block in a buffer as GetFileVersionInfoA fills one: twice its size and four bytes, the
// second half for the ANSI copies of its text values.
std::string BufferOf(const std::string& block) {
  std::string bytes = block;
  bytes.resize(block.size() * 2 + 4, '\0');
  return bytes;
}

TKeys KeysOf(const TVersionBlock& root, bool wide = true) {
  const std::string bytes = BufferOf(EncodeBlock(root, wide));
  return TVersionResource(bytes.data(), bytes.size()).TableKeys();
}

TQueryReach Reach(const std::string& bytes, const std::string& subBlock) {
  return TVersionResource(bytes.data(), bytes.size()).Query(subBlock);
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
  const TKeys expected{"041D04B0", "040904E4"};
  EXPECT_EQ(KeysOf(root, true), expected);
  EXPECT_EQ(KeysOf(root, false), expected);

  // A length of 0 ends the tables after the one that has it, as it ends the system's walk.
  TVersionBlock ended = root;
  ended.Children[0].Children[0].Length = 0;
  EXPECT_EQ(KeysOf(ended), TKeys{"041D04B0"});

  // A key no query could name is passed over.
  EXPECT_EQ(KeysOf(Root({Table("0409\\04E4"), Table(""), Table("040904E4")})), TKeys{"040904E4"});
}

TEST(VersionResourceTest, ReachesWhatTheSystemReaches) {
  TVersionBlock product = TextValue("ProductName", "Product");
  product.Length = 0x7FF0; // past its table and the buffer
  const std::string bytes = BufferOf(EncodeBlock(Root(
      {Table("040904E4", {TextValue("FileVersion", "1.0"), product, TextValue("Comments", "")})})));
  EXPECT_EQ(Reach(bytes, "\\"), qrFound);
  EXPECT_EQ(Reach(bytes, "\\VarFileInfo\\Translation"), qrFound);
  EXPECT_EQ(Reach(bytes, "\\StringFileInfo\\040904E4\\FileVersion"), qrFound);
  // Found before its length is read; the walk for the next one ends at that length.
  EXPECT_EQ(Reach(bytes, "\\StringFileInfo\\040904E4\\ProductName"), qrFound);
  EXPECT_EQ(Reach(bytes, "\\StringFileInfo\\040904E4\\Comments"), qrMissing);
  EXPECT_EQ(Reach(bytes, "\\StringFileInfo\\040904E4\\Missing"), qrMissing);
  // Letters A to Z in any case; empty names between backslashes are passed over.
  EXPECT_EQ(Reach(bytes, "stringfileinfo\\\\040904e4\\FILEVERSION\\"), qrFound);
  EXPECT_EQ(Reach(bytes, "\\StringFileInfo\\040904E4\\FileVersio"), qrMissing);

  // The buffer cut inside a key, and inside a text value's characters.
  const std::size_t key = bytes.find("F\0i\0l\0e\0V"s);
  EXPECT_EQ(Reach(bytes.substr(0, key + 6), "\\StringFileInfo\\040904E4\\FileVersion"), qrOutside);
  EXPECT_EQ(Reach(bytes.substr(0, key + 6), "\\"), qrFound);
  const std::size_t text = bytes.find("1\0.\0"s);
  EXPECT_EQ(Reach(bytes.substr(0, text + 4), "\\StringFileInfo\\040904E4\\FileVersion"), qrOutside);
  EXPECT_EQ(Reach(bytes.substr(0, 4), "\\"), qrOutside);
}

TEST(VersionResourceTest, KeepsTheCopiesOfTextValuesInsideTheBuffer) {
  const std::string block =
      EncodeBlock(Root({Table("040904E4", {TextValue("FileVersion", "1.0")})}));
  // The root claims more than there is: the copy of the text would go behind the buffer,
  // the binary values are read in place.
  std::string bytes = BufferOf(block);
  bytes[0] = bytes[1] = '\xFF';
  EXPECT_EQ(Reach(bytes, "\\StringFileInfo\\040904E4\\FileVersion"), qrOutside);
  EXPECT_EQ(Reach(bytes, "\\VarFileInfo\\Translation"), qrFound);
  EXPECT_EQ(Reach(bytes, "\\"), qrFound);
  // Without the second half of the buffer there is no room for the copy either.
  EXPECT_EQ(Reach(block, "\\StringFileInfo\\040904E4\\FileVersion"), qrOutside);
  EXPECT_EQ(Reach(block, "\\VarFileInfo\\Translation"), qrFound);
}

TEST(VersionResourceTest, TellsTheLayoutsApartByTheFifthByteAsTheSystemDoes) {
  // A type word of 0x80 and above is still the 32-bit layout (the system reads that byte as
  // a signed character); from ' ' to 0x7F it is the first letter of a 16-bit key.
  const TVersionBlock root =
      VersionRoot(std::nullopt, {{.Key = "StringFileInfo", .Children = {Table("040904E4")}}});
  std::string bytes = BufferOf(EncodeBlock(root));
  bytes[4] = '\x80';
  EXPECT_EQ(Reach(bytes, "\\StringFileInfo\\040904E4"), qrFound);
  EXPECT_EQ(Reach(BufferOf(EncodeBlock(root, false)), "\\StringFileInfo\\040904E4"), qrFound);
}

} // namespace
