#include "SaveDialog.h"

#include <commdlg.h>

#include <vector>

bool TSaveDialog::Execute(HWND owner) {
  // The dialog wants the filter's pieces separated, and ended, by NUL characters.
  std::string filter = FFilter;
  for (char& c : filter) {
    if (c == '|') {
      c = '\0';
    }
  }
  filter.append(2, '\0');
  std::vector<char> fileName(32768, '\0');
  FFileName.copy(fileName.data(), fileName.size() - 1);

  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = FFilter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = static_cast<DWORD>(fileName.size());
  dialog.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
  dialog.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | FOptions;
  if (!GetSaveFileNameA(&dialog)) {
    return false;
  }
  FFileName = fileName.data();
  return true;
}

TPropertyList TSaveDialog::PublishedProperties() {
  const auto field = [](const char* name, std::string& value) {
    return StringProperty(
        name, [&value] { return value; }, [&value](const std::string& s) { value = s; });
  };
  return {field("DefaultExt", FDefaultExt), field("FileName", FFileName), field("Filter", FFilter),
          field("InitialDir", FInitialDir)};
}
