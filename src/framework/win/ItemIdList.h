#pragma once

#include <shlobj.h>

#include <utility>

// The shell's task allocator, asked for once; null when the shell gives none. Every item
// identifier list this program creates, copies or receives is allocated or freed with it.
IMalloc* ShellMalloc();

// Move-only owner of an item identifier list allocated with the shell's allocator. A list is
// a sequence of records, each beginning with its own 16-bit length (the length included),
// ended by a 16-bit zero; the desktop's own list is the empty one, a single zero.
class TItemIdList {
public:
  TItemIdList() = default;
  // Takes over a list the shell handed out.
  explicit TItemIdList(LPITEMIDLIST list) : FList(list) {}
  TItemIdList(TItemIdList&& other) noexcept : FList(other.release()) {}
  TItemIdList& operator=(TItemIdList&& other) noexcept {
    reset(other.release());
    return *this;
  }
  TItemIdList(const TItemIdList&) = delete;
  TItemIdList& operator=(const TItemIdList&) = delete;
  ~TItemIdList() { reset(); }

  LPITEMIDLIST get() const { return FList; }
  explicit operator bool() const { return FList != nullptr; }
  LPITEMIDLIST release() { return std::exchange(FList, nullptr); }
  void reset(LPITEMIDLIST list = nullptr);
  // For an API call that hands out a list: frees the one held, then gives the place the
  // call writes the new one into.
  LPITEMIDLIST* put() {
    reset();
    return &FList;
  }

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

  LPITEMIDLIST FList = nullptr;
};
