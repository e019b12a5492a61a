#include "VersionFixtures.h"

#include "support/TestHandles.h"

#include <gtest/gtest.h>

namespace {

void Pad(std::string& bytes) {
  bytes.resize((bytes.size() + 3) & ~std::size_t{3}, '\0');
}

void PutWord(std::string& bytes, std::size_t at, std::size_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Append(std::string& bytes, const std::string& text, bool wide) {
  for (const char c : text) {
    bytes += c;
    if (wide) {
      bytes += '\0'; // the 1252 letters used here are Latin-1 ones
    }
  }
}

} // namespace

std::string EncodeBlock(const TVersionBlock& block, bool wide) {
  std::string bytes(wide ? 6 : 4, '\0');
  Append(bytes, block.Key + '\0', wide);
  Pad(bytes);
  const std::string value = block.Text ? block.Value + '\0' : block.Value;
  Append(bytes, value, wide && block.Text);
  for (const TVersionBlock& child : block.Children) {
    Pad(bytes);
    bytes += EncodeBlock(child, wide);
  }
  PutWord(bytes, 0, block.Length.value_or(static_cast<WORD>(bytes.size())));
  PutWord(bytes, 2, value.size());
  if (wide) {
    PutWord(bytes, 4, block.Text ? 1 : 0);
  }
  return bytes;
}

TVersionBlock TextValue(const std::string& key, const std::string& text) {
  return {.Key = key, .Value = text, .Text = true};
}

TVersionBlock Translation(WORD language, WORD codePage) {
  const WORD entry[2] = {language, codePage};
  return {.Key = "VarFileInfo",
          .Children = {{.Key = "Translation",
                        .Value = std::string(reinterpret_cast<const char*>(entry), 4)}}};
}

TVersionBlock VersionRoot(const std::optional<VS_FIXEDFILEINFO>& fixed,
                          std::vector<TVersionBlock> children) {
  TVersionBlock root{.Key = "VS_VERSION_INFO", .Children = std::move(children)};
  if (fixed) {
    root.Value.assign(reinterpret_cast<const char*>(&*fixed), sizeof *fixed);
  }
  return root;
}

VS_FIXEDFILEINFO FixedPart(DWORD flags, DWORD fileOs, DWORD type, DWORD subtype) {
  VS_FIXEDFILEINFO fixed = {};
  fixed.dwSignature = VS_FFI_SIGNATURE;
  fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
  fixed.dwFileFlags = flags;
  fixed.dwFileOS = fileOs;
  fixed.dwFileType = type;
  fixed.dwFileSubtype = subtype;
  return fixed;
}

std::string CopyFixture(const TTempTree& tree, const std::string& fixture,
                        const std::string& name) {
  char program[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string source(program, length);
  source = source.substr(0, source.rfind('\\') + 1) + fixture;
  const std::string target = tree.Path(name);
  EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), TRUE)) << source;
  return target;
}

void WriteVersionResource(const std::string& path, const std::string& bytes) {
  TResourceUpdateHandle update(BeginUpdateResourceA(path.c_str(), TRUE));
  ASSERT_TRUE(update) << path;
  std::string data = bytes;
  ASSERT_TRUE(UpdateResourceA(update.get(), RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO),
                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), data.data(),
                              static_cast<DWORD>(data.size())));
  ASSERT_TRUE(EndUpdateResourceA(update.release(), FALSE));
}

FILETIME LocalFileTime(const TDateTimeParts& local) {
  SYSTEMTIME system = {};
  system.wYear = static_cast<WORD>(local.Year);
  system.wMonth = static_cast<WORD>(local.Month);
  system.wDay = static_cast<WORD>(local.Day);
  system.wHour = static_cast<WORD>(local.Hour);
  system.wMinute = static_cast<WORD>(local.Minute);
  system.wSecond = static_cast<WORD>(local.Second);
  FILETIME localTime;
  FILETIME utc;
  EXPECT_TRUE(SystemTimeToFileTime(&system, &localTime));
  EXPECT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
  return utc;
}

TDateTime DateTimeOf(const TDateTimeParts& parts) {
  TDateTime value = 0;
  EXPECT_TRUE(TryEncodeDateTime(parts, value));
  return value;
}

void SetFileTimes(const std::string& path, const FILETIME& created, const FILETIME& accessed,
                  const FILETIME& written) {
  const TFileHandle file(
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file) << path;
  ASSERT_TRUE(SetFileTime(file.get(), &created, &accessed, &written));
}
