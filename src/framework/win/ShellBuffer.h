#pragma once

#include "ItemIdList.h"

#include <cstring>

struct TShellBufferTraits {
  using THandleType = char*;
  static char* Invalid() { return nullptr; }
  static void Close(char* buffer) {
    if (const TComPtr<IMalloc> malloc = ShellMalloc()) {
      malloc->Free(buffer);
    }
  }
};

// Move-only owner of a text buffer from the shell's allocator, for the shell calls that
// write their answers into a buffer the caller gives.
class TShellBuffer : public TUniqueHandle<TShellBufferTraits> {
public:
  using TUniqueHandle::TUniqueHandle;

  // A buffer of that many bytes, all zero, so it holds an empty text until something is
  // written; empty (null) when the allocator refuses.
  static TShellBuffer Allocate(UINT size) {
    const TComPtr<IMalloc> malloc = ShellMalloc();
    TShellBuffer buffer(malloc ? static_cast<char*>(malloc->Alloc(size)) : nullptr);
    if (buffer) {
      std::memset(buffer.get(), 0, size);
    }
    return buffer;
  }
};
