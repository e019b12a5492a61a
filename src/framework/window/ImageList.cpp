#include "ImageList.h"

#include <stdexcept>

TImageList::~TImageList() {
  if (FShared) {
    FHandle.release();
  }
}

int TImageList::Count() const {
  return FHandle ? ImageList_GetImageCount(FHandle.get()) : 0;
}

int TImageList::Width() const {
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(FHandle.get(), &width, &height);
  return width;
}

int TImageList::Height() const {
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(FHandle.get(), &width, &height);
  return height;
}

void TImageList::LoadStrip(int bitmapResource, int width, COLORREF transparent) {
  const HIMAGELIST list =
      ImageList_LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapResource), width, 0,
                           transparent, IMAGE_BITMAP, LR_CREATEDIBSECTION);
  if (list == nullptr) {
    throw std::runtime_error("Failed to read ImageList data from stream");
  }
  if (FShared) {
    FHandle.release();
  }
  FShared = false;
  FHandle.reset(list);
}

void TImageList::ShareHandle(HIMAGELIST handle) {
  if (FShared) {
    FHandle.release();
  }
  FHandle.reset(handle);
  FShared = handle != nullptr;
}
