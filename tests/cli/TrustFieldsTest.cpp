#include "ImageBytes.h"
#include "QuilletProcess.h"

#include "AuditFields.h"

#include "support/FolderLink.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// The fixture file's text without its line end.
std::string FixtureText(const std::string& name) {
  std::string text = FileBytes(FixturePath(name));
  return text.substr(0, text.find_first_of("\r\n"));
}

std::string LinkTimeOf(const TImageBytes& image) {
  const std::uint64_t ticks =
      (std::uint64_t{image.Number(image.Number(0x3C, 4) + 8, 4)} + 11644473600ull) * 10000000ull;
  return IsoUtcText({static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)});
}

// Signed, time-stamped, altered, unsigned and plain files; a GUI module with two string
// tables, and a copy of it whose debug directory says its build is reproducible.
TEST(TrustFieldsTest, SignaturesDigestsAndImageFactsAnswerAnAuditorsQuestions) {
  TTempTree tree;
  for (const char* name : {"Mismatch.dll", "Tables.dll", "Signed.dll", "Stamped.dll"}) {
    ASSERT_TRUE(CopyFileA(FixturePath(name).c_str(), tree.Path(name).c_str(), FALSE)) << name;
  }
  TImageBytes tampered(tree.Path("Signed.dll"));
  tampered.Put(tampered.Number(tampered.FirstSection() + 20, 4), 0xC3C3C3C3);
  tampered.Write(tree.Path("Tampered.dll"));
  TImageBytes damaged(tree.Path("Signed.dll"));
  const std::uint32_t certificates =
      damaged.Number(damaged.DirectoryEntry(IMAGE_DIRECTORY_ENTRY_SECURITY), 4);
  for (std::uint32_t at = certificates + 8; at < certificates + 64; at += 4) {
    damaged.Put(at, 0);
  }
  damaged.Write(tree.Path("Damaged.dll"));
  TImageBytes reproducible(tree.Path("Tables.dll"));
  const std::uint32_t debug = reproducible.FileOffsetOf(
      reproducible.Number(reproducible.DirectoryEntry(IMAGE_DIRECTORY_ENTRY_DEBUG), 4));
  reproducible.Put(debug + 12, 16);
  reproducible.Write(tree.Path("Reproducible.dll"));
  tree.File("abc.txt", "abc");
  tree.Folder("sub");

  const TQuilletRun run =
      RunQuillet("-f json --signatures --hash sha256,sha1,md5,authenticode " + Quoted(tree.Root()));
  ASSERT_EQ(run.ExitCode, 0u) << run.Errors;
  std::map<std::string, nlohmann::json> rows = JsonRows(run.Output);

  // Wine trusts any root; Windows does not trust the test's self-signed one.
  const std::string selfSigned = RunningUnderWine() ? "Valid" : "UntrustedRoot";
  const struct {
    const char* Name;
    std::string Signature;
    const char* Source;
    const char* SigningTime;
  } signatures[] = {
      {"Signed.dll", selfSigned, "embedded", ""},
      {"Stamped.dll", selfSigned, "embedded", "2023-11-14T22:13:20Z"},
      {"Tampered.dll", "Tampered", "embedded", ""},
      {"Mismatch.dll", "Unsigned", "", ""},
      {"abc.txt", "", "", ""},
  };
  for (const auto& expected : signatures) {
    const nlohmann::json& row = rows[expected.Name];
    EXPECT_EQ(row["Signature"], expected.Signature) << expected.Name;
    EXPECT_EQ(row["SignatureSource"], expected.Source) << expected.Name;
    EXPECT_EQ(row["SigningTime"], expected.SigningTime) << expected.Name;
    const bool signedFile = *expected.Source != '\0';
    EXPECT_EQ(row["Signer"], signedFile ? "KOVQuillet Test Signer" : "") << expected.Name;
    EXPECT_EQ(row["Issuer"], signedFile ? "KOVQuillet Test Signer" : "") << expected.Name;
    EXPECT_EQ(row["SignerThumbprint"], signedFile ? FixtureText("Signed.thumbprint") : "")
        << expected.Name;
  }

  // A certificate table whose signature cannot be read is neither unsigned nor valid.
  EXPECT_EQ(rows["Damaged.dll"]["Signature"].get<std::string>().rfind("Invalid 0x", 0), 0u)
      << rows["Damaged.dll"]["Signature"];
  EXPECT_EQ(rows["Damaged.dll"]["SignatureSource"], "embedded");

  // The image digest leaves the signature out: both signed copies have the one osslsigncode
  // computes, though their bytes differ.
  EXPECT_EQ(rows["Signed.dll"]["AuthenticodeSHA256"], FixtureText("Signed.digest"));
  EXPECT_EQ(rows["Stamped.dll"]["AuthenticodeSHA256"], FixtureText("Signed.digest"));
  EXPECT_NE(rows["Signed.dll"]["SHA256"], rows["Stamped.dll"]["SHA256"]);
  const nlohmann::json& abc = rows["abc.txt"];
  EXPECT_EQ(abc["SHA256"], "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(abc["SHA1"], "a9993e364706816aba3e25717850c26c9cd0d89d");
  EXPECT_EQ(abc["MD5"], "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(abc["AuthenticodeSHA256"], "");
  EXPECT_EQ(rows["sub"]["SHA256"], "");

  EXPECT_EQ(rows["Mismatch.dll"]["Subsystem"], "Console");
  EXPECT_EQ(rows["Tables.dll"]["Subsystem"], "GUI");
  EXPECT_EQ(rows["Tables.dll"]["Languages"], "040904B0;040704B0");
  EXPECT_EQ(rows["Tables.dll"]["LinkTime"], LinkTimeOf(reproducible));
  EXPECT_EQ(rows["Reproducible.dll"]["LinkTime"], "");
  EXPECT_EQ(rows["Tables.dll"]["DotNet"], false);
  EXPECT_EQ(abc["Subsystem"], "");

  // Requiring signatures names each image that is not validly signed, and ends with 6.
  const TQuilletRun required = RunQuillet("-q --require-signed -f csv " + Quoted(tree.Root()));
  EXPECT_EQ(required.ExitCode, 6u);
  EXPECT_NE(required.Errors.find("quillet: not validly signed: \"" + tree.Path("Tampered.dll") +
                                 "\": Tampered\r\n"),
            std::string::npos)
      << required.Errors;
  EXPECT_EQ(required.Output.find("Signature"), std::string::npos);
  EXPECT_EQ(RunQuillet("--sort SHA256 " + Quoted(tree.Root())).ExitCode, 2u);
}

} // namespace
