#include "Expectations.h"

#include "StoredValues.h"

const std::vector<std::string> Presets = {
    "*.dll", "*.exe", "*.ocx", "*.bpl",
    "*.cpl", "*.vxd", "*.drv", "*.dll;*.exe;*.ocx;*.bpl;*.cpl;*.vxd;*.drv",
    "*.*"};

std::vector<std::string> Items(const TfrmQuilletMain& form) {
  std::vector<std::string> items;
  for (int index = 0; index < form.edFileMasks->Items().Count(); ++index) {
    items.push_back(form.edFileMasks->Items().Get(index));
  }
  return items;
}

int ScreenPixelsPerInch() {
  const HDC screen = GetDC(nullptr);
  const int pixels = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::vector<std::string> PlacementWrites(const std::string& section) {
  std::vector<std::string> writes;
  for (const std::string& name :
       {std::string("FormVersion"), std::string("Flags"), std::string("ShowCmd"),
        std::string("PixelsPerInch"), Suffixed("MinMaxPos"), std::string("MinMaxPos"),
        Suffixed("NormPos"), std::string("NormPos"), std::string("Visible")}) {
    writes.push_back("set " + section + "\\" + name);
  }
  return writes;
}

std::vector<std::string> ItemWrites(int count) {
  std::vector<std::string> writes{"set Main.edFileMasks_Items\\Count"};
  for (int index = 0; index < count; ++index) {
    writes.push_back("set Main.edFileMasks_Items\\Item" + std::to_string(index));
  }
  return writes;
}

std::vector<std::string> PropertyWrites() {
  std::vector<std::string> writes;
  for (const char* name : {"edFileMasks_Text", "edStartDir_Text", "IncludeSubFolders_Checked",
                           "SaveDialog1_InitialDir", "SaveDialog1_FileName"}) {
    writes.push_back(std::string("set Main\\") + name);
  }
  return writes;
}

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}
