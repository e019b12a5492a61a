#include "ShellFixtures.h"

#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstddef>

std::string DirectTypeName(const std::string& path) {
  SHFILEINFOA record = {};
  SHGetFileInfoA(path.c_str(), 0, &record, sizeof(record), SHGFI_TYPENAME);
  return record.szTypeName;
}

int DirectIconIndex(const std::string& path) {
  SHFILEINFOA record = {};
  SHGetFileInfoA(path.c_str(), 0, &record, sizeof(record), SHGFI_SYSICONINDEX);
  return record.iIcon;
}

namespace {

// An icon file of one 16 by 16 image with 32 bits per pixel, laid out as stored.
#pragma pack(push, 2)
struct TIconFile {
  WORD Reserved = 0;
  WORD Type = 1;
  WORD Count = 1;
  BYTE Width = 16;
  BYTE Height = 16;
  WORD ColoursAndReserved = 0;
  WORD Planes = 1;
  WORD BitCount = 32;
  DWORD ImageBytes = sizeof(TIconFile) - 22;
  DWORD ImageOffset = 22;
  // The height counts the colour image and the transparency mask below it.
  BITMAPINFOHEADER Header = {sizeof(BITMAPINFOHEADER), 16, 32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  DWORD Pixels[16 * 16] = {};
  BYTE Mask[16 * 4] = {};
};
#pragma pack(pop)
static_assert(offsetof(TIconFile, Header) == 22);

void SetClassValue(HKEY root, const std::string& key, const std::string& value) {
  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, ("Software\\Classes\\" + key).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &created, nullptr),
            ERROR_SUCCESS);
  const TRegistryKey owner(created);
  ASSERT_EQ(RegSetValueExA(owner.get(), nullptr, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1)),
            ERROR_SUCCESS);
}

bool ClassesRootShows(const std::string& key) {
  HKEY opened = nullptr;
  const bool shown =
      RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS;
  const TRegistryKey owner(opened);
  return shown;
}

// The shell wants COM on the calling thread; the program's start-up provides it, and here
// this does, once for the whole test program.
class TComEnvironment : public testing::Environment {
public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override { CoUninitialize(); }
};
testing::Environment* const ComEnvironment = testing::AddGlobalTestEnvironment(new TComEnvironment);

} // namespace

void WriteIconFile(const std::string& path, COLORREF colour) {
  TIconFile icon;
  std::fill(std::begin(icon.Pixels), std::end(icon.Pixels),
            0xFF000000u | GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
  const TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path;
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.get(), &icon, sizeof(icon), &written, nullptr));
}

TRegisteredType::TRegisteredType(std::string extension, std::string progId,
                                 const std::string& defaultIcon)
    : FExtension(std::move(extension)), FProgId(std::move(progId)) {
  Register(defaultIcon);
  // Wine 8 leaves the user's classes out of HKEY_CLASSES_ROOT; Windows shows them there.
  if (!ClassesRootShows(FExtension)) {
    Remove();
    FRoot = HKEY_LOCAL_MACHINE;
    Register(defaultIcon);
  }
}

TRegisteredType::~TRegisteredType() {
  Remove();
}

void TRegisteredType::AddTypeKey(const std::string& subKey) const {
  SetClassValue(FRoot, FProgId + "\\" + subKey, "");
}

void TRegisteredType::SetTypeValue(const std::string& subKey, const std::string& value) const {
  SetClassValue(FRoot, subKey.empty() ? FProgId : FProgId + "\\" + subKey, value);
}

void TRegisteredType::Register(const std::string& defaultIcon) const {
  SetClassValue(FRoot, FExtension, FProgId);
  if (FProgId.empty()) {
    SetClassValue(FRoot, FExtension + "\\DefaultIcon", defaultIcon);
    return;
  }
  SetClassValue(FRoot, FProgId, "KOVQuillet test type");
  SetClassValue(FRoot, FProgId + "\\DefaultIcon", defaultIcon);
}

void TRegisteredType::Remove() const {
  RegDeleteTreeA(FRoot, ("Software\\Classes\\" + FExtension).c_str());
  if (!FProgId.empty()) {
    RegDeleteTreeA(FRoot, ("Software\\Classes\\" + FProgId).c_str());
  }
}
