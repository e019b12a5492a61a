#pragma once

#include "TemporaryFolder.h"

#include <cstdint>
#include <string>

// The tree the content benchmark searches, made under the temporary folder and removed when
// the object goes: folders of text files from empty to 8 MiB, over 200 MB in all, and one
// file of more than 2 GiB, sparse where the file system allows. The needle stands in the
// last bytes of the largest text files and of the big file, so that a search reads every
// byte of the tree before it has found them all.
class TContentTree {
public:
  explicit TContentTree(const std::string& needle);

  const std::string& Root() const { return FRoot.Path(); }
  int FileCount() const { return FFileCount; }
  std::uint64_t Bytes() const { return FBytes; }
  // The files that hold the needle.
  int NeedleCount() const { return FNeedleCount; }

private:
  void MakeTextFile(const std::string& path, std::uint64_t size, bool withNeedle);
  void MakeBigFile(const std::string& path, std::uint64_t size);

  TTemporaryFolder FRoot{"KOVQuilletContentBench"};
  std::string FNeedle;
  int FFileCount = 0;
  std::uint64_t FBytes = 0;
  int FNeedleCount = 0;
  std::uint32_t FRandom = 20240304;
};
