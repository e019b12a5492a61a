#include "GuardedBuffer.h"
#include "VersionFixtures.h"
#include "VersionFuzzCases.h"
#include "VersionFuzzOracle.h"

#include "VersionResource.h"
#include "VersionValues.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// `make test` runs the default; `make fuzz` asks for more with --cases=N.
std::size_t CaseCount = 2000;

std::string ProgramFolder() {
  char program[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  const std::string path(program, length);
  return path.substr(0, path.rfind('\\'));
}

// Each version output that differs, with both values.
std::string Differences(const TVersionInfoValues& system, const TVersionInfoValues& ours) {
  std::string differences;
  const auto compare = [&](const std::string& name, const std::string& a, const std::string& b) {
    if (a != b) {
      differences += " " + name + ": system \"" + a + "\", ours \"" + b + "\";";
    }
  };
  for (const TVersionStringKey& key : VersionStringKeys()) {
    compare(key.Key, system.*key.Target, ours.*key.Target);
  }
  compare("Language", system.Language, ours.Language);
  compare("FileSubTyp", system.FileSubTyp, ours.FileSubTyp);
  const auto fixed = [](const TVersionInfoValues& v) {
    return std::to_string(v.Debug) + std::to_string(v.PreRelease) + std::to_string(v.Patched) +
           std::to_string(v.PrivateBuild) + std::to_string(v.InfoInferred) +
           std::to_string(v.SpecialBuild) + " os " + std::to_string(v.FileOs) + " type " +
           std::to_string(v.FileTyp) + " " + v.FileVersionNumber + " " + v.ProductVersionNumber;
  };
  compare("fixed part", fixed(system), fixed(ours));
  return differences;
}

// Whether this program's walk reads only the buffer, for every query a retrieval may make.
bool WalkStaysInside(TGuardedBuffer& buffer) {
  return !buffer.Watch([&] {
    const TVersionResource resource(buffer.Data(), buffer.Size());
    std::vector<std::string> tables = resource.TableKeys();
    tables.push_back("040904E4");
    resource.Query("\\");
    resource.Query("\\VarFileInfo\\Translation");
    for (const std::string& table : tables) {
      const std::string prefix = "\\StringFileInfo\\" + table;
      resource.Query(prefix);
      for (const TVersionStringKey& key : VersionStringKeys()) {
        resource.Query(prefix + "\\" + key.Key);
      }
    }
  });
}

TEST(VersionFuzzTest, ReadsMutatedResourcesAsTheSystemAnswers) {
  const std::vector<TFuzzSeed> seeds = FuzzSeeds(ProgramFolder(), 16);
  ASSERT_GE(seeds.size(), 20u);
  TTempTree tree;
  const std::string path = CopyFixture(tree, "Full.dll", "fuzz.dll");
  TVersionInfo info(nullptr);
  info.SetRetrieveFilename(path);
  TGuardedBuffer buffer;
  std::mt19937 random(20240611);
  std::size_t failures = 0;
  for (std::size_t i = 0; i < CaseCount; ++i) {
    const TFuzzCase mutated = Mutate(seeds[random() % seeds.size()], random);
    // One case in a hundred goes through a module file end to end (an empty resource cannot
    // be written), the others straight into the buffer that GetFileVersionInfoA would fill.
    const bool throughFile = i % 100 == 0 && !mutated.Bytes.empty();
    TVersionInfoValues ours;
    bool read = true;
    if (throughFile) {
      WriteVersionResource(path, mutated.Bytes);
      info.Retrieve();
      ours = info.Values();
      DWORD handle = 0;
      const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
      read = size > 0 && GetFileVersionInfoA(path.c_str(), 0, size, buffer.Place(size));
    } else {
      const std::string bytes = VersionBufferOf(mutated.Bytes);
      buffer.Assign(bytes);
      TVersionBuffer version(std::vector<char>(bytes.begin(), bytes.end()));
      ReadVersionStrings(version, ours);
      ReadFixedPart(version, ours);
    }
    std::string problem;
    TVersionInfoValues system;
    if (read) {
      if (!WalkStaysInside(buffer)) {
        problem += " our walk reads outside the buffer;";
      }
      system = SystemVersionValues(buffer, problem);
    }
    problem += Differences(system, ours);
    if (!problem.empty() && ++failures <= 20) {
      ADD_FAILURE() << "case " << i << (throughFile ? " (through a file)" : "") << ", "
                    << mutated.Description << ":" << problem;
    }
  }
  std::printf("BENCH fuzz_version_cases %zu cases\n", CaseCount);
  std::printf("BENCH fuzz_version_failures %zu cases\n", failures);
  EXPECT_EQ(failures, 0u);
}

} // namespace

// A crash ends the run with a message at once, rather than waiting for a debugger.
static LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception) {
  std::printf("crash: exception 0x%08lX\n", exception->ExceptionRecord->ExceptionCode);
  std::fflush(stdout);
  ExitProcess(3);
}

int main(int argc, char** argv) {
  SetUnhandledExceptionFilter(&ReportCrash);
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--cases=", 8) == 0) {
      CaseCount = std::strtoul(argv[i] + 8, nullptr, 10);
    }
  }
  return RUN_ALL_TESTS();
}
