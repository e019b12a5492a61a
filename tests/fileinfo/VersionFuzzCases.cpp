#include "VersionFuzzCases.h"

#include "VersionFixtures.h"

#include "UniqueHandle.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

namespace {

std::size_t Align4(std::size_t offset) {
  return (offset + 3) & ~std::size_t{3};
}

std::size_t Word(const std::string& bytes, std::size_t at) {
  return at + 2 <= bytes.size() ? static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8
                                : 0;
}

void PutWord(std::string& bytes, std::size_t at, std::size_t value) {
  if (at + 2 <= bytes.size()) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8 & 0xFF);
  }
}

std::optional<std::string> VersionResourceOf(const std::string& path) {
  const TModuleHandle module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module) {
    return std::nullopt;
  }
  HRSRC resource = FindResourceA(module.get(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
  HGLOBAL loaded = resource ? LoadResource(module.get(), resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  const DWORD size = resource ? SizeofResource(module.get(), resource) : 0;
  if (bytes == nullptr || size == 0 || size > 0xFFFF) {
    return std::nullopt;
  }
  return std::string(static_cast<const char*>(bytes), size);
}

// Every block that lies within its parent, as a well-formed resource's blocks do.
void CollectBlocks(TFuzzSeed& seed, std::size_t begin, std::size_t parentEnd, int depth) {
  const std::size_t header = seed.Wide ? 6 : 4;
  const std::size_t unit = seed.Wide ? 2 : 1;
  const std::size_t length = Word(seed.Bytes, begin);
  if (depth > 1000 || length < header || begin + length > parentEnd) {
    return;
  }
  TSeedBlock block{.Begin = begin, .End = begin + length, .ParentEnd = parentEnd};
  std::size_t at = begin + header;
  for (; at + unit <= block.End && seed.Bytes[at] != 0; at += unit) {
    block.Key += seed.Bytes[at];
  }
  if (at + unit > block.End) {
    return;
  }
  block.Value = Align4(at + unit);
  block.Text = seed.Wide && Word(seed.Bytes, begin + 4) != 0;
  block.ValueEnd =
      std::min(block.End, block.Value + Word(seed.Bytes, begin + 2) * (block.Text ? 2 : 1));
  seed.Blocks.push_back(block);
  for (std::size_t child = Align4(block.ValueEnd); child + header <= block.End;) {
    const std::size_t childLength = Word(seed.Bytes, child);
    if (childLength == 0) {
      break;
    }
    CollectBlocks(seed, child, block.End, depth + 1);
    child = Align4(child + childLength);
  }
}

TFuzzSeed Seed(const std::string& name, const std::string& bytes, bool wide = true) {
  TFuzzSeed seed{.Name = name, .Bytes = bytes, .Wide = wide};
  CollectBlocks(seed, 0, bytes.size(), 0);
  return seed;
}

TVersionBlock Nested(const std::string& key, int depth, TVersionBlock innermost) {
  for (int i = 0; i < depth; ++i) {
    innermost = TVersionBlock{.Key = key, .Children = {std::move(innermost)}};
  }
  return innermost;
}

std::vector<TFuzzSeed> MadeUpSeeds() {
  const TVersionBlock table{.Key = "040904E4",
                            .Children = {TextValue("FileVersion", "1.0"),
                                         TextValue("ProductName", "Made up"),
                                         TextValue("Comments", "")}};
  const VS_FIXEDFILEINFO fixed = FixedPart(VS_FF_DEBUG, VOS_NT, VFT_DRV, VFT2_DRV_SOUND);
  const TVersionBlock strings{.Key = "StringFileInfo", .Children = {table}};
  std::vector<TFuzzSeed> seeds;
  seeds.push_back(Seed("16-bit",
                       EncodeBlock(VersionRoot(fixed, {strings, Translation(0x0409, 1252)}), false),
                       false));
  // Values nested far below a string, and tables far below the string tables' block.
  TVersionBlock deepTable = table;
  deepTable.Children.push_back(Nested("Comments", 300, TextValue("Comments", "deepest")));
  seeds.push_back(
      Seed("deep strings",
           EncodeBlock(VersionRoot(fixed, {{.Key = "StringFileInfo", .Children = {deepTable}},
                                           Translation(0x0409, 1252)}))));
  seeds.push_back(
      Seed("deep tables", EncodeBlock(VersionRoot(fixed, {Nested("StringFileInfo", 200, strings),
                                                          Translation(0x0409, 1252)}))));
  return seeds;
}

std::size_t Below(std::mt19937& random, std::size_t count) {
  return count == 0 ? 0 : random() % count;
}

template <typename T, std::size_t N>
T OneOf(std::mt19937& random, const T (&values)[N]) {
  return values[Below(random, N)];
}

const TSeedBlock* BlockWhere(const TFuzzSeed& seed, std::mt19937& random,
                             const std::function<bool(const TSeedBlock&)>& wanted) {
  std::vector<const TSeedBlock*> blocks;
  for (const TSeedBlock& block : seed.Blocks) {
    if (wanted(block)) {
      blocks.push_back(&block);
    }
  }
  return blocks.empty() ? nullptr : blocks[Below(random, blocks.size())];
}

// One mutation of the bytes; answers what it did.
std::string MutateOnce(const TFuzzSeed& seed, std::string& bytes, std::mt19937& random) {
  const std::size_t header = seed.Wide ? 6 : 4;
  const std::size_t unit = seed.Wide ? 2 : 1;
  const auto any = [](const TSeedBlock&) { return true; };
  const TSeedBlock* block = BlockWhere(seed, random, any);
  const std::string where = block ? " of " + block->Key + "@" + std::to_string(block->Begin) : "";
  switch (Below(random, 9)) {
  case 0: {
    const std::size_t at = Below(random, bytes.size());
    const int bit = static_cast<int>(Below(random, 8));
    if (!bytes.empty()) {
      bytes[at] = static_cast<char>(bytes[at] ^ (1 << bit));
    }
    return "flip " + std::to_string(at) + "." + std::to_string(bit);
  }
  case 1: {
    bytes.resize(Below(random, bytes.size()));
    return "cut to " + std::to_string(bytes.size());
  }
  case 2:
  case 3: {
    if (!block) {
      return "none";
    }
    const bool value = Below(random, 2) == 0;
    const std::size_t own = value ? Word(seed.Bytes, block->Begin + 2) : block->End - block->Begin;
    const std::size_t length =
        OneOf(random, {std::size_t{0}, std::size_t{0xFFFF}, own + 1,
                       block->ParentEnd - block->Begin + 1, Below(random, 0x10000)});
    PutWord(bytes, block->Begin + (value ? 2 : 0), length);
    return (value ? "value length" : "length") + where + " = " + std::to_string(length);
  }
  case 4: {
    const std::size_t type = OneOf(random, {0, 1, 2, 0x20, 0x7F, 0x80, 0xFFFF});
    if (block && seed.Wide) {
      PutWord(bytes, block->Begin + 4, type);
    }
    return "type" + where + " = " + std::to_string(type);
  }
  case 5: {
    block = BlockWhere(seed, random, [](const TSeedBlock& b) { return b.Key == "Translation"; });
    const std::size_t length = Below(random, 4);
    if (block) {
      PutWord(bytes, block->Begin + 2, length);
      if (seed.Wide && Below(random, 4) == 0) {
        PutWord(bytes, block->Begin + 4, 1);
      }
    }
    return "translation of " + std::to_string(length) + " bytes";
  }
  case 6: {
    // The NUL that ends a string value, or a key.
    block = BlockWhere(seed, random, [](const TSeedBlock& b) { return b.ValueEnd > b.Value; });
    if (!block) {
      return "none";
    }
    const bool key = Below(random, 2) == 0;
    const std::size_t at =
        key ? block->Begin + header + block->Key.size() * unit : block->ValueEnd - unit;
    if (at < bytes.size()) {
      bytes[at] = 'X';
    }
    return (key ? "key without NUL of " : "value without NUL of ") + block->Key;
  }
  case 7: {
    const std::size_t at = Below(random, bytes.size());
    const char value = static_cast<char>(Below(random, 256));
    if (!bytes.empty()) {
      bytes[at] = value;
    }
    return "byte " + std::to_string(at) + " = " + std::to_string(value & 0xFF);
  }
  default: {
    const std::size_t length =
        OneOf(random, {std::size_t{0}, std::size_t{0xFFFF}, bytes.size() + 1, bytes.size() - 1,
                       bytes.size() / 2, Below(random, 0x10000)});
    PutWord(bytes, 0, length);
    return "root length = " + std::to_string(length);
  }
  }
}

} // namespace

std::vector<TFuzzSeed> FuzzSeeds(const std::string& fixtureFolder, std::size_t systemModules) {
  std::vector<TFuzzSeed> seeds;
  for (const char* fixture :
       {"Full", "Several", "NoTranslationUs", "NoTranslationOther", "MissingTable"}) {
    const std::string path = fixtureFolder + "\\" + fixture + ".dll";
    if (const std::optional<std::string> bytes = VersionResourceOf(path)) {
      seeds.push_back(Seed(fixture, *bytes));
    }
  }
  char system[MAX_PATH];
  const UINT length = GetSystemDirectoryA(system, MAX_PATH);
  const std::string folder(system, length);
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  const TFindHandle find(FindFirstFileA((folder + "\\*.dll").c_str(), &entry));
  for (bool more = static_cast<bool>(find); more; more = FindNextFileA(find.get(), &entry)) {
    names.emplace_back(entry.cFileName);
  }
  std::sort(names.begin(), names.end());
  for (std::size_t i = 0; i < names.size() && systemModules > 0; ++i) {
    if (const std::optional<std::string> bytes = VersionResourceOf(folder + "\\" + names[i])) {
      seeds.push_back(Seed(names[i], *bytes));
      --systemModules;
    }
  }
  for (TFuzzSeed& seed : MadeUpSeeds()) {
    seeds.push_back(std::move(seed));
  }
  return seeds;
}

TFuzzCase Mutate(const TFuzzSeed& seed, std::mt19937& random) {
  TFuzzCase fuzzCase{seed.Bytes, seed.Name};
  for (std::size_t count = 1 + Below(random, 3); count > 0; --count) {
    fuzzCase.Description += "; " + MutateOnce(seed, fuzzCase.Bytes, random);
  }
  return fuzzCase;
}

std::string VersionBufferOf(const std::string& resource) {
  std::string buffer = resource;
  buffer.resize(resource.size() * 2 + 4, '\0');
  const std::size_t length = Word(resource, 0);
  if (length + 4 <= buffer.size()) {
    std::memcpy(&buffer[length], "FE2X", 4);
  }
  return buffer;
}
