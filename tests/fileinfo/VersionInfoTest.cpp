#include "VersionFixtures.h"

#include "FormatDateTime.h"
#include "UniqueHandle.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

namespace {

std::string LanguageName(WORD language) {
  char name[2000];
  VerLanguageNameA(language, name, sizeof name);
  return name;
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
  // Wine counts the NUL in the name's length; the text holds none.
  EXPECT_EQ(v.Language.find('\0'), std::string::npos);
  // All six flags although the mask says none is valid.
  EXPECT_TRUE(v.Debug && v.PreRelease && v.Patched && v.PrivateBuild && v.InfoInferred &&
              v.SpecialBuild);
  EXPECT_EQ(v.FileOs, foNT);
  EXPECT_EQ(v.FileTyp, ftDLL);
  EXPECT_EQ(v.FileSubTyp, "0");
  EXPECT_EQ(v.FileVersionNumber, "1.2.3.4");
  EXPECT_EQ(v.ProductVersionNumber, "5.6.7.8");
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

// A string table whose description is its own key.
TVersionBlock NamedTable(const std::string& key) {
  return {.Key = key, .Children = {TextValue("FileDescription", key)}};
}

TEST(VersionInfoTest, FallsBackToATableInTheTranslationsLanguage) {
  struct TCase {
    std::vector<std::string> Tables;
    std::string Expected;
    WORD ExpectedLanguage;
  };
  // The translation is Swiss German with code page 1252.
  const TCase cases[] = {
      {{"040C04E4", "080704B0", "080704e4"}, "080704e4", 0x0807},
      {{"040C04E4", "040704E4", "080704B0"}, "080704B0", 0x0807},
      {{"040C04E4", "040704B0", "0C0A04E4"}, "040704B0", 0x0407},
      {{"040C04E4", "041D04E4"}, "040C04E4", 0x040C},
  };
  TTempTree tree;
  const std::string path = CopyFixture(tree, "Full.dll", "tables.dll");
  for (const TCase& c : cases) {
    TVersionBlock strings{.Key = "StringFileInfo"};
    for (const std::string& key : c.Tables) {
      strings.Children.push_back(NamedTable(key));
    }
    WriteVersionResource(path, EncodeBlock(VersionRoot(FixedPart(0, VOS_NT, VFT_APP, 0),
                                                       {strings, Translation(0x0807, 1252)})));
    const TVersionInfoValues v = Read(path);
    EXPECT_EQ(v.FileDescription, c.Expected);
    EXPECT_EQ(v.Language, LanguageName(c.ExpectedLanguage)) << c.Expected;
  }
}

// The resource as a test writes it: the fixed part, three strings and a US English
// translation, with the given lengths forced.
std::string ResourceWithLengths(std::optional<WORD> root, std::optional<WORD> varFileInfo,
                                std::optional<WORD> productName) {
  TVersionBlock product = TextValue("ProductName", "Product");
  product.Length = productName;
  const TVersionBlock strings{.Key = "StringFileInfo",
                              .Children = {{.Key = "040904E4",
                                            .Children = {TextValue("FileVersion", "1.0"), product,
                                                         TextValue("CompanyName", "Company")}}}};
  TVersionBlock translation = Translation(0x0409, 1252);
  translation.Length = varFileInfo;
  TVersionBlock block =
      VersionRoot(FixedPart(VS_FF_DEBUG, VOS_NT, VFT_APP, 0), {strings, translation});
  block.Length = root;
  return EncodeBlock(block);
}

TEST(VersionInfoTest, ABadLengthLosesOnlyWhatTheSystemCannotReach) {
  TTempTree tree;
  const std::string path = CopyFixture(tree, "Full.dll", "broken.dll");

  // A string that runs far past its table and the buffer is still found, and so are the
  // ones before it; the walk ends there, so the ones after it are missing.
  WriteVersionResource(path, ResourceWithLengths(std::nullopt, std::nullopt, 0x7FF0));
  TVersionInfoValues v = Read(path);
  EXPECT_FALSE(v.LastModified.empty());
  EXPECT_EQ(v.FileVersion, "1.0");
  EXPECT_EQ(v.ProductName, "Product");
  EXPECT_EQ(v.CompanyName, "");
  EXPECT_EQ(v.Language, LanguageName(0x0409));
  EXPECT_TRUE(v.Debug);
  EXPECT_EQ(v.FileTyp, ftAPP);

  // The last block running past the buffer takes nothing away.
  WriteVersionResource(path, ResourceWithLengths(std::nullopt, 0xFFFF, std::nullopt));
  v = Read(path);
  EXPECT_EQ(v.FileVersion + v.ProductName + v.CompanyName, "1.0ProductCompany");
  EXPECT_EQ(v.Language, LanguageName(0x0409));
  EXPECT_TRUE(v.Debug);

  // A whole resource claiming more than it has: the system would copy its text values
  // behind the buffer's end, so they stay empty, but the translation and the fixed part
  // are still read.
  WriteVersionResource(path, ResourceWithLengths(0xFFFF, std::nullopt, std::nullopt));
  v = Read(path);
  EXPECT_EQ(v.FileVersion + v.ProductName + v.CompanyName, "");
  EXPECT_EQ(v.Language, LanguageName(0x0409));
  EXPECT_TRUE(v.Debug);
  EXPECT_EQ(v.FileTyp, ftAPP);
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
