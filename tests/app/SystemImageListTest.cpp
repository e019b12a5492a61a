#include "FileCtrl.h"
#include "ImageList.h"

#include <gtest/gtest.h>

#include <shellapi.h>

namespace {

// The main window shows rows with the shell's own small icons through an image list wrapper.
TEST(FileCtrl, TheSystemImageListIsTheShellsAndOutlivesEveryWrapper) {
  HIMAGELIST list = nullptr;
  {
    TFileCtrl ctrl(nullptr);
    list = ctrl.GetSystemImageList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ctrl.GetSystemImageList(), list);
    TImageList wrapper(nullptr);
    wrapper.ShareHandle(list);
  }
  SHFILEINFOA record = {};
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("", 0, &record, sizeof(record),
                                                        SHGFI_SYSICONINDEX | SHGFI_SMALLICON)),
            list);
  EXPECT_EQ(TFileCtrl(nullptr).GetSystemImageList(), list);
  EXPECT_GT(ImageList_GetImageCount(list), 0);
  int width = 0;
  int height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list, &width, &height));
  EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));
}

} // namespace
