#pragma once

#include <windows.h>

#include <utility>

// Move-only owner of one Win32 handle. Each handle kind gets its own traits, naming the value
// that means "no handle" and the one call that releases it, so no code path can leak a handle
// or release it twice.
template <typename Traits>
class TUniqueHandle {
public:
  using THandleType = typename Traits::THandleType;

  TUniqueHandle() = default;
  explicit TUniqueHandle(THandleType handle) : FHandle(handle) {}
  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  ~TUniqueHandle() { reset(); }

  THandleType get() const { return FHandle; }
  explicit operator bool() const { return FHandle != Traits::Invalid(); }

  THandleType release() { return std::exchange(FHandle, Traits::Invalid()); }

  void reset(THandleType handle = Traits::Invalid()) {
    const THandleType old = std::exchange(FHandle, handle);
    if (old != Traits::Invalid()) {
      Traits::Close(old);
    }
  }
  // For an API call that hands out a handle: releases the one held, then gives the place
  // the call writes the new one into.
  THandleType* put() {
    reset();
    return &FHandle;
  }

private:
  THandleType FHandle = Traits::Invalid();
};

// FindFirstFileA enumerations, closed with FindClose.
struct TFindHandleTraits {
  using THandleType = HANDLE;
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { FindClose(handle); }
};
using TFindHandle = TUniqueHandle<TFindHandleTraits>;

// Files opened with CreateFileA, which answers INVALID_HANDLE_VALUE on failure.
struct TFileHandleTraits {
  using THandleType = HANDLE;
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
using TFileHandle = TUniqueHandle<TFileHandleTraits>;

// Threads, events and other kernel objects whose creators answer NULL on failure.
struct TKernelHandleTraits {
  using THandleType = HANDLE;
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};
using TKernelHandle = TUniqueHandle<TKernelHandleTraits>;

// Windows this program created itself.
struct TWindowHandleTraits {
  using THandleType = HWND;
  static HWND Invalid() { return nullptr; }
  static void Close(HWND handle) { DestroyWindow(handle); }
};
using TWindowHandle = TUniqueHandle<TWindowHandleTraits>;

// Fonts and other GDI objects.
template <typename TGdiHandle>
struct TGdiObjectTraits {
  using THandleType = TGdiHandle;
  static TGdiHandle Invalid() { return nullptr; }
  static void Close(TGdiHandle handle) { DeleteObject(handle); }
};
using TFontHandle = TUniqueHandle<TGdiObjectTraits<HFONT>>;

// Menus not attached to a window (a window destroys its own menu bar).
struct TMenuHandleTraits {
  using THandleType = HMENU;
  static HMENU Invalid() { return nullptr; }
  static void Close(HMENU handle) { DestroyMenu(handle); }
};
using TMenuHandle = TUniqueHandle<TMenuHandleTraits>;

// Registry keys opened or created by this program (never the predefined root keys).
struct TRegistryKeyTraits {
  using THandleType = HKEY;
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY handle) { RegCloseKey(handle); }
};
using TRegistryKey = TUniqueHandle<TRegistryKeyTraits>;

// Modules loaded with LoadLibraryA.
struct TModuleHandleTraits {
  using THandleType = HMODULE;
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE handle) { FreeLibrary(handle); }
};
using TModuleHandle = TUniqueHandle<TModuleHandleTraits>;
