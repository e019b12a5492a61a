#include "ItemIdList.h"

#include <cstring>

namespace {

const SHITEMID* NextRecord(const SHITEMID* record) {
  return reinterpret_cast<const SHITEMID*>(reinterpret_cast<const BYTE*>(record) + record->cb);
}

} // namespace

TComPtr<IMalloc> ShellMalloc() {
  TComPtr<IMalloc> malloc;
  if (FAILED(SHGetMalloc(malloc.put()))) {
    malloc.reset();
  }
  return malloc;
}

void TItemIdListTraits::Close(LPITEMIDLIST list) {
  if (const TComPtr<IMalloc> malloc = ShellMalloc()) {
    malloc->Free(list);
  }
}

UINT TItemIdList::Size(LPCITEMIDLIST list) {
  if (list == nullptr) {
    return 0;
  }
  UINT size = sizeof(USHORT);
  for (const SHITEMID* record = &list->mkid; record->cb != 0; record = NextRecord(record)) {
    size += record->cb;
  }
  return size;
}

TItemIdList TItemIdList::Allocate(UINT size) {
  const TComPtr<IMalloc> malloc = ShellMalloc();
  if (!malloc) {
    return {};
  }
  TItemIdList list(static_cast<LPITEMIDLIST>(malloc->Alloc(size)));
  if (list) {
    std::memset(list.get(), 0, size);
  }
  return list;
}

TItemIdList TItemIdList::Empty() {
  return Allocate(sizeof(USHORT));
}

TItemIdList TItemIdList::Copy(LPCITEMIDLIST list) {
  if (list == nullptr) {
    return {};
  }
  const UINT size = Size(list);
  TItemIdList copy = Allocate(size);
  if (copy) {
    std::memcpy(copy.get(), list, size);
  }
  return copy;
}

TItemIdList TItemIdList::Join(LPCITEMIDLIST folder, LPCITEMIDLIST child) {
  const UINT folderSize = Size(folder) > 0 ? Size(folder) - sizeof(USHORT) : 0;
  const UINT childSize = child != nullptr ? Size(child) : sizeof(USHORT);
  TItemIdList joined = Allocate(folderSize + childSize);
  if (joined) {
    auto* bytes = reinterpret_cast<BYTE*>(joined.get());
    if (folderSize > 0) {
      std::memcpy(bytes, folder, folderSize);
    }
    if (child != nullptr) {
      std::memcpy(bytes + folderSize, child, childSize);
    }
  }
  return joined;
}

std::pair<TItemIdList, TItemIdList> TItemIdList::SplitLast(LPCITEMIDLIST list) {
  if (list == nullptr || list->mkid.cb == 0) {
    return {};
  }
  const SHITEMID* last = &list->mkid;
  for (const SHITEMID* record = last; record->cb != 0; record = NextRecord(record)) {
    last = record;
  }
  const auto restSize =
      static_cast<UINT>(reinterpret_cast<const BYTE*>(last) - reinterpret_cast<const BYTE*>(list));
  TItemIdList rest = Allocate(restSize + sizeof(USHORT));
  TItemIdList tail = Allocate(last->cb + sizeof(USHORT));
  if (!rest || !tail) {
    return {};
  }
  std::memcpy(rest.get(), list, restSize);
  std::memcpy(tail.get(), last, last->cb);
  return {std::move(rest), std::move(tail)};
}
