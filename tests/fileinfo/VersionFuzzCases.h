#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <vector>

// A block of a seed resource: where it starts and ends, its value and its key.
struct TSeedBlock {
  std::size_t Begin = 0;
  std::size_t End = 0;
  std::size_t ParentEnd = 0;
  std::size_t Value = 0;
  std::size_t ValueEnd = 0;
  bool Text = false;
  std::string Key{};
};

// A version resource as a module holds it, to be mutated.
struct TFuzzSeed {
  std::string Name;
  std::string Bytes;
  bool Wide = true;
  std::vector<TSeedBlock> Blocks{};
};

// The version resources of the fixtures in the folder, of the first modules (by name) of the
// system folder that have one, up to the count given, and of made-up ones: the 16-bit
// layout and blocks nested hundreds deep.
std::vector<TFuzzSeed> FuzzSeeds(const std::string& fixtureFolder, std::size_t systemModules);

// A seed's bytes changed by one to three mutations, and what they were.
struct TFuzzCase {
  std::string Bytes;
  std::string Description;
};
TFuzzCase Mutate(const TFuzzSeed& seed, std::mt19937& random);

// The buffer GetFileVersionInfoA fills from a resource of a PE module: twice its size and
// four bytes, with the signature "FE2X" behind the block where the buffer has room for it.
std::string VersionBufferOf(const std::string& resource);
