#pragma once

#include "UniqueHandle.h"

#include <windows.h>

// Owners of what only the tests acquire: the program itself never does.

// Resource updates begun with BeginUpdateResourceA; an update that is not committed with
// EndUpdateResourceA(release(), FALSE) is discarded.
struct TResourceUpdateHandleTraits {
  using THandleType = HANDLE;
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE handle) { EndUpdateResourceA(handle, TRUE); }
};
using TResourceUpdateHandle = TUniqueHandle<TResourceUpdateHandleTraits>;

// Memory reserved and committed with VirtualAlloc.
struct TVirtualMemoryTraits {
  using THandleType = void*;
  static void* Invalid() { return nullptr; }
  static void Close(void* memory) { VirtualFree(memory, 0, MEM_RELEASE); }
};
using TVirtualMemory = TUniqueHandle<TVirtualMemoryTraits>;

// Handlers added with AddVectoredExceptionHandler.
struct TExceptionHandlerTraits {
  using THandleType = void*;
  static void* Invalid() { return nullptr; }
  static void Close(void* handler) { RemoveVectoredExceptionHandler(handler); }
};
using TExceptionHandler = TUniqueHandle<TExceptionHandlerTraits>;
