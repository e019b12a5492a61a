#pragma once

#include "ComPtr.h"
#include "UniqueHandle.h"

#include <shlobj.h>

#include <utility>

// The shell's task allocator; empty when the shell gives none. Every item identifier list
// this program creates, copies or receives is allocated or freed with it. It is asked for at
// each use, so that no reference to it outlives the thread's OLE session.
TComPtr<IMalloc> ShellMalloc();

struct TItemIdListTraits {
  using THandleType = LPITEMIDLIST;
  static LPITEMIDLIST Invalid() { return nullptr; }
  static void Close(LPITEMIDLIST list);
};

// Move-only owner of an item identifier list allocated with the shell's allocator. A list is
// a sequence of records, each beginning with its own 16-bit length (the length included),
// ended by a 16-bit zero; the desktop's own list is the empty one, a single zero.
class TItemIdList : public TUniqueHandle<TItemIdListTraits> {
public:
  using TUniqueHandle::TUniqueHandle;

  // The list's size in bytes: the sum of its record lengths plus 2 for the terminator.
  static UINT Size(LPCITEMIDLIST list);
  // A new list: the empty one, a copy, or a folder's absolute list followed by a child's
  // relative list. Each is empty (null) when the allocator refuses.
  static TItemIdList Empty();
  static TItemIdList Copy(LPCITEMIDLIST list);
  static TItemIdList Join(LPCITEMIDLIST folder, LPCITEMIDLIST child);
  // The list without its last record, and that record as a list of its own. A list with no
  // record gives two empty lists.
  static std::pair<TItemIdList, TItemIdList> SplitLast(LPCITEMIDLIST list);

private:
  static TItemIdList Allocate(UINT size);
};
