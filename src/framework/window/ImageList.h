#pragma once

#include "Component.h"
#include "UniqueHandle.h"

#include <commctrl.h>

// Image lists made with ImageList_Create or loaded from a resource.
struct TImageListHandleTraits {
  using THandleType = HIMAGELIST;
  static HIMAGELIST Invalid() { return nullptr; }
  static void Close(HIMAGELIST handle) { ImageList_Destroy(handle); }
};
using TImageListHandle = TUniqueHandle<TImageListHandleTraits>;

// A list of same-sized images. It owns its list, unless it shares one that belongs to
// someone else (such as the shell's system image list), which it then never destroys.
class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* owner) : TComponent(owner) {}
  ~TImageList() override;

  HIMAGELIST Handle() const { return FHandle.get(); }
  int Count() const;
  int Width() const;
  int Height() const;

  // Loads a strip of images from a bitmap resource of this program; pixels of the given
  // colour are transparent.
  void LoadStrip(int bitmapResource, int width, COLORREF transparent);
  // Shows the given list without taking ownership of it.
  void ShareHandle(HIMAGELIST handle);

private:
  TImageListHandle FHandle;
  bool FShared = false;
};
