#include "VersionFixtures.h"

#include "FileHead.h"
#include "UniqueHandle.h"
#include "VersionInfo.h"
#include "VersionValues.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

struct TTally {
  int Files = 0;
  int Versioned = 0;
  int Skipped = 0;
};

// Retrieves the file and checks the version part against what the system's version
// functions give for it when every file found is put to them.
void CompareWithSystem(TVersionInfo& info, const std::string& path, TTally& tally) {
  EXPECT_NO_THROW(info.SetRetrieveFilename(path)) << path;
  const TVersionInfoValues& v = info.Values();
  // The facts are taken over: a second look at the file changes its last-access time.
  TVersionInfoValues expected;
  expected.LastModified = v.LastModified;
  expected.LastAccess = v.LastAccess;
  expected.Created = v.Created;
  expected.Archive = v.Archive;
  expected.ReadOnly = v.ReadOnly;
  expected.System = v.System;
  expected.Hidden = v.Hidden;
  expected.VolumeId = v.VolumeId;
  expected.AnyFile = v.AnyFile;
  expected.Directory = v.Directory;
  expected.Compressed = v.Compressed;
  std::optional<TVersionBuffer> buffer;
  if (info.FileFacts() && (buffer = TVersionBuffer::Read(path))) {
    ReadVersionStrings(*buffer, expected);
    ReadFixedPart(*buffer, expected);
    ++tally.Versioned;
  }
  EXPECT_TRUE(v == expected) << path << ": \"" << v.FileVersion << "\", system \""
                             << expected.FileVersion << "\"";
  ++tally.Files;
  if (info.FileHead() && !MayHoldVersionResource(*info.FileHead())) {
    ++tally.Skipped;
  }
}

void CompareFolder(TVersionInfo& info, const std::string& folder, TTally& tally) {
  WIN32_FIND_DATAA entry;
  const TFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
  if (!find) {
    return; // only a 64-bit system that runs 32-bit programs has the second folder
  }
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      CompareWithSystem(info, folder + "\\" + entry.cFileName, tally);
    }
  } while (FindNextFileA(find.get(), &entry));
}

// The file in the LZ format of the system's expand tool, stored without compression: a flag
// byte that marks the next eight bytes as literals before every eight bytes. The header names
// the method ('A') and the last letter of the name that the underscore replaces.
std::string Compressed(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string data{std::istreambuf_iterator<char>(in), {}};
  const auto size = static_cast<DWORD>(data.size());
  std::string bytes("SZDD\x88\xF0\x27\x33"
                    "Al",
                    10);
  bytes.append(reinterpret_cast<const char*>(&size), sizeof size);
  for (std::size_t at = 0; at < data.size(); at += 8) {
    bytes += '\xFF';
    bytes += data.substr(at, 8);
  }
  return bytes;
}

TEST(VersionShortcutTest, GivesWhatTheSystemGivesForEveryFile) {
  TTempTree tree;
  for (const char* fixture : {"Full.dll", "Several.dll", "NoTranslationUs.dll",
                              "NoTranslationOther.dll", "MissingTable.dll"}) {
    CopyFixture(tree, fixture, fixture);
  }
  tree.File("empty.bin");
  tree.File("m.bin", "M");
  tree.File("notes.txt", "Plain text, no program.\r\n");
  tree.File("full.dl_", Compressed(tree.Path("Full.dll")));

  TVersionInfo info(nullptr);
  TTally tally;
  CompareFolder(info, tree.Root(), tally);
  char windows[MAX_PATH];
  ASSERT_NE(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  CompareFolder(info, std::string(windows) + "\\system32", tally);
  CompareFolder(info, std::string(windows) + "\\syswow64", tally);
  // The system folders hold hundreds of versioned modules and some data files (.nls).
  EXPECT_GE(tally.Versioned, 50);
  EXPECT_GE(tally.Skipped, 10);
}

TEST(VersionShortcutTest, LeavesAFileItCannotOpenToTheSystem) {
  TTempTree tree;
  const std::string path = CopyFixture(tree, "Full.dll", "locked.dll");
  const TFileHandle lock(
      CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  TVersionInfo info(nullptr);
  TTally tally;
  CompareWithSystem(info, path, tally);
  EXPECT_FALSE(info.FileHead());
  EXPECT_FALSE(info.Created().empty());
}

} // namespace
