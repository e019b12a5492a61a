#include "ResultRowFixtures.h"

#include "UniqueHandle.h"
#include "support/Pump.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {
const int CountPanel = 1;
} // namespace

int RowOf(const TListView& list, const std::string& directory, const std::string& name) {
  for (int row = 0; row < list.ItemCount(); ++row) {
    if (list.ItemText(row, rcName) == name && list.ItemText(row, rcDirectory) == directory) {
      return row;
    }
  }
  return -1;
}

int SubItemImage(const TListView& list, int row, int subItem) {
  // Wine answers 0 for a sub-item's image unless the list shows sub-item images; it keeps
  // the image that was set all the same.
  const HWND handle = list.Handle();
  const auto style = static_cast<DWORD>(SendMessageA(handle, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  SendMessageA(handle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = subItem;
  item.iImage = 12345; // what no list would answer
  SendMessageA(handle, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  SendMessageA(handle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_SUBITEMIMAGES, style);
  return item.iImage;
}

bool SearchAndWait(TMainWindowSession& session, const std::string& folder, const std::string& masks,
                   bool subfolders) {
  TfrmQuilletMain& form = session.Form();
  SetText(form.edStartDir, folder);
  SetText(form.edFileMasks, masks);
  form.IncludeSubFolders->SetChecked(subfolders);
  Click(form.BtnFind->Handle());
  return PumpUntil(
      [&] {
        const std::string status = StatusText(form, 0);
        return status == "Finished." || status == "Cancelled.";
      },
      60000);
}

void ReadOnce(const std::string& path) {
  const TFileHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file) << path;
  char byte = 0;
  DWORD read = 0;
  ASSERT_TRUE(ReadFile(file.get(), &byte, 1, &read, nullptr)) << path;
}

void SetLastWriteTime(const std::string& path, WORD year, WORD month, WORD day) {
  SYSTEMTIME local = {};
  local.wYear = year;
  local.wMonth = month;
  local.wDay = day;
  local.wHour = 12;
  FILETIME localTime;
  FILETIME written;
  ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
  ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &written));
  const TFileHandle file(
      CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file) << path;
  ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &written)) << path;
}

TFoundCountWatch::TFoundCountWatch(HWND statusBar, const TListView& list)
    : FWatch(statusBar, CountPanel) {
  FWatch.OnText = [this, &list](const std::string& text) {
    FRows.push_back(list.ItemCount());
    if (OnText) {
      OnText(text);
    }
  };
}

void TFoundCountWatch::Clear() {
  FWatch.Clear();
  FRows.clear();
}
