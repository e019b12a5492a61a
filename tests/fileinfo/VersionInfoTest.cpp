#include "VersionFixtures.h"

#include "FormatDateTime.h"
#include "UniqueHandle.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

namespace {

std::string LanguageName(WORD language) {
  char name[2000];
  const DWORD length = VerLanguageNameA(language, name, sizeof name);
  return std::string(name, length);
}

// The outputs of one retrieval of the path.
TVersionInfoValues Read(const std::string& path) {
  TVersionInfo info(nullptr);
  info.SetRetrieveFilename(path);
  return info.Values();
}

TEST(VersionInfoTest, ReadsTheStringsAsStoredUnderTheFirstTranslation) {
  TTempTree tree;
  const TVersionInfoValues v = Read(CopyFixture(tree, "Full.dll", "full.dll"));
  EXPECT_EQ(v.Comments, "  two leading, two trailing  ");
  EXPECT_EQ(v.CompanyName, "KOV Software, Inc.");
  EXPECT_EQ(v.FileDescription, "Quillet\ttest fixture");
  EXPECT_EQ(v.FileVersion, "1, 2, 3, 4");
  EXPECT_EQ(v.InternalFilename, "full");
  EXPECT_EQ(v.LegalCopyright, "Copyright \xA9 2024 KOV");
  EXPECT_EQ(v.LegalTrademarks, "Quillet(R); KOV(TM)");
  EXPECT_EQ(v.OriginalFilename, "Full.dll");
  EXPECT_EQ(v.ProductName, "KOV  Quillet");
  EXPECT_EQ(v.ProductVersion, "5.6 (beta) ");
  EXPECT_EQ(v.Language, LanguageName(0x080A));
  // All six flags although the mask says none is valid.
  EXPECT_TRUE(v.Debug && v.PreRelease && v.Patched && v.PrivateBuild && v.InfoInferred &&
              v.SpecialBuild);
  EXPECT_EQ(v.FileOs, foNT);
  EXPECT_EQ(v.FileTyp, ftDLL);
  EXPECT_EQ(v.FileSubTyp, "0");
}

TEST(VersionInfoTest, ChoosesTheStringTable) {
  TTempTree tree;
  // Of several translations only the first counts.
  TVersionInfoValues v = Read(CopyFixture(tree, "Several.dll", "several.dll"));
  EXPECT_EQ(v.FileDescription, "Deutsche Beschreibung");
  EXPECT_EQ(v.ProductName, "Deutsches Produkt");
  EXPECT_EQ(v.Language, LanguageName(0x0407));
  EXPECT_TRUE(v.PreRelease && v.SpecialBuild);
  EXPECT_FALSE(v.Debug || v.Patched || v.PrivateBuild || v.InfoInferred);
  EXPECT_EQ(v.FileOs, foDOS);
  EXPECT_EQ(v.FileTyp, ftAPP);

  // Without a translation the US English table is read when there is one.
  v = Read(CopyFixture(tree, "NoTranslationUs.dll", "us.dll"));
  EXPECT_EQ(v.FileDescription, "US English table");
  EXPECT_EQ(v.Language, "");
  EXPECT_EQ(v.FileOs, foOS232);
  EXPECT_EQ(v.FileTyp, ftSTATIC_LIB);

  // Otherwise the first table, named as the language.
  v = Read(CopyFixture(tree, "NoTranslationOther.dll", "other.dll"));
  EXPECT_EQ(v.FileDescription, "Svensk beskrivning");
  EXPECT_EQ(v.FileVersion, "4.0");
  EXPECT_EQ(v.Language, LanguageName(0x041D));
  EXPECT_EQ(v.FileTyp, ftDRV);
  EXPECT_EQ(v.FileSubTyp, "UNKNWON");

  // Likewise when the translation names a table the file lacks; absent keys stay empty.
  v = Read(CopyFixture(tree, "MissingTable.dll", "missing.dll"));
  EXPECT_EQ(v.CompanyName, "Soci\xE9t\xE9 KOV");
  EXPECT_EQ(v.FileVersion, "5.0");
  EXPECT_EQ(v.Language, LanguageName(0x040C));
  EXPECT_EQ(v.ProductName + v.Comments + v.FileDescription + v.LegalCopyright, "");
  EXPECT_EQ(v.FileTyp, ftFONT);
  EXPECT_EQ(v.FileSubTyp, "TrueType");
}

TEST(VersionInfoTest, NamesTheFixedPart) {
  struct TCase {
    DWORD FileOs, Type, Subtype;
    TFileOs ExpectedOs;
    TFileTyp ExpectedTyp;
    const char* ExpectedSubtype;
  };
  const TCase cases[] = {
      {VOS_NT_WINDOWS32, VFT_DRV, VFT2_DRV_COMM, foNT, ftDRV, "Comm"},
      {VOS_NT_WINDOWS32, VFT_DRV, VFT2_DRV_VERSIONED_PRINTER, foNT, ftDRV, "12"},
      {VOS_OS216, VFT_FONT, VFT2_FONT_RASTER, foOS216, ftFONT, "Raster"},
      {VOS_DOS, VFT_VXD, 0x1234, foDOS, ftVXD, "4660"},
      {0x00050004, 6, 0xFFFFFFFF, foUNKNOWN, ftUNKNOWN, "4294967295"},
      {VOS_UNKNOWN, 8, VFT2_DRV_COMM, foUNKNOWN, ftUNKNOWN, "10"},
  };
  TTempTree tree;
  const std::string path = CopyFixture(tree, "Full.dll", "fixed.dll");
  for (const TCase& c : cases) {
    WriteVersionResource(path, EncodeBlock(VersionRoot(FixedPart(0, c.FileOs, c.Type, c.Subtype),
                                                       {Translation(0x0409, 1252)})));
    TVersionInfo info(nullptr);
    info.SetRetrieveFilename(path);
    EXPECT_EQ(info.FileOs(), c.ExpectedOs) << c.ExpectedSubtype;
    EXPECT_EQ(info.FileTyp(), c.ExpectedTyp) << c.ExpectedSubtype;
    EXPECT_EQ(info.FileSubTyp(), c.ExpectedSubtype);
  }

  // Without a fixed part the strings are still read.
  const TVersionBlock strings{
      .Key = "StringFileInfo",
      .Children = {{.Key = "040904E4", .Children = {TextValue("FileVersion", "7.7")}}}};
  WriteVersionResource(path, EncodeBlock(VersionRoot(std::nullopt, {strings})));
  const TVersionInfoValues v = Read(path);
  EXPECT_EQ(v.FileVersion, "7.7");
  EXPECT_EQ(v.FileSubTyp, "");
  EXPECT_EQ(v.FileTyp, ftUNKNOWN);
}

TEST(VersionInfoTest, ABrokenResourceGivesNoVersionButTheFileFacts) {
  TTempTree tree;
  const std::string path = CopyFixture(tree, "Full.dll", "broken.dll");
  TVersionBlock text = TextValue("FileVersion", "9.9");
  text.Length = 0x7FF0; // runs far past its table and the buffer
  const TVersionBlock strings{.Key = "StringFileInfo",
                              .Children = {{.Key = "040904E4", .Children = {text}}}};
  WriteVersionResource(path, EncodeBlock(VersionRoot(FixedPart(1, VOS_NT, VFT_APP, 0),
                                                     {strings, Translation(0x0409, 1252)})));
  const TVersionInfoValues v = Read(path);
  EXPECT_FALSE(v.LastModified.empty());
  EXPECT_EQ(v.FileVersion + v.Language + v.FileSubTyp, "");
  EXPECT_FALSE(v.Debug);
  EXPECT_EQ(v.FileTyp, ftUNKNOWN);
}

TEST(VersionInfoTest, ReadsAttributesAndTimesOfAnyFileFound) {
  TTempTree tree;
  tree.File("plain.txt", "no resource here",
            FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                FILE_ATTRIBUTE_ARCHIVE);
  // Wine keeps no creation time of its own and answers the last-write time there.
  const TDateTimeParts written{2005, 6, 7, 23, 59, 1}, accessed{2004, 5, 6};
  SetFileTimes(tree.Path("plain.txt"), LocalFileTime(written), LocalFileTime(accessed),
               LocalFileTime(written));
  TVersionInfoValues v = Read(tree.Path("plain.txt"));
  EXPECT_TRUE(v.ReadOnly && v.Hidden && v.System && v.Archive);
  EXPECT_FALSE(v.Directory || v.Compressed || v.AnyFile || v.VolumeId);
  EXPECT_EQ(v.Created, DateTimeToStr(DateTimeOf(written)));
  EXPECT_EQ(v.LastAccess, DateTimeToStr(DateTimeOf(accessed)));
  EXPECT_EQ(v.LastModified, DateTimeToStr(DateTimeOf(written)));
  EXPECT_EQ(v.FileVersion + v.Language + v.FileSubTyp, "");
  EXPECT_EQ(v.FileTyp, ftUNKNOWN);

  // A file from before 1980 is read in full.
  const std::string old = CopyFixture(tree, "Full.dll", "old.dll");
  const TDateTimeParts longAgo{1975, 6, 1, 12};
  SetFileTimes(old, LocalFileTime(longAgo), LocalFileTime(longAgo), LocalFileTime(longAgo));
  v = Read(old);
  EXPECT_EQ(v.LastModified, DateTimeToStr(DateTimeOf(longAgo)));
  EXPECT_EQ(v.FileVersion, "1, 2, 3, 4");

  // A folder and a missing file give nothing at all.
  tree.Folder("folder");
  EXPECT_EQ(Read(tree.Path("folder")), TVersionInfoValues());
  EXPECT_EQ(Read(tree.Path("missing.dll")), TVersionInfoValues());
}

TEST(VersionInfoTest, ReadsAFileThatIsHeldOpenForWriting) {
  TTempTree tree;
  const std::string path = CopyFixture(tree, "Full.dll", "held.dll");
  const TFileHandle writer(CreateFileA(path.c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
  ASSERT_TRUE(writer);
  const TVersionInfoValues v = Read(path);
  EXPECT_FALSE(v.Created.empty() || v.LastAccess.empty() || v.LastModified.empty());
  EXPECT_EQ(v.FileVersion, "1, 2, 3, 4");
}

TEST(VersionInfoTest, RetrievesOnNewNamesAndOnLoadingOnly) {
  TTempTree tree;
  const std::string path = CopyFixture(tree, "Full.dll", "changing.dll");
  const std::string other = CopyFixture(tree, "Several.dll", "other.dll");

  // At first the program's own file is read.
  TVersionInfo info(nullptr);
  EXPECT_EQ(info.RetrieveFilename(), "");
  EXPECT_FALSE(info.LastModified().empty());

  info.SetRetrieveFilename(path);
  ASSERT_TRUE(CopyFileA(other.c_str(), path.c_str(), FALSE));
  info.SetRetrieveFilename(path);
  EXPECT_EQ(info.FileVersion(), "1, 2, 3, 4");

  info.Loaded();
  EXPECT_EQ(info.ProductName(), "Deutsches Produkt");
  EXPECT_EQ(info.FileVersion(), "");
}

} // namespace
