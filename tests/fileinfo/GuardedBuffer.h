#pragma once

#include "support/TestHandles.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Bytes placed so that they end where pages begin that may be neither read nor written. A
// call made through Watch may touch those pages: each one it touches is made readable,
// filled with zeros, for the rest of the call, and Watch answers that it touched any.
// Outside Watch a touch is an access violation as usual.
class TGuardedBuffer {
public:
  static constexpr std::size_t MaxSize = 0x40000;

  TGuardedBuffer();
  TGuardedBuffer(const TGuardedBuffer&) = delete;
  TGuardedBuffer& operator=(const TGuardedBuffer&) = delete;

  // Room for size bytes (at most MaxSize), filled with zeros.
  char* Place(std::size_t size);
  void Assign(std::string_view bytes);
  // Puts back bytes taken with Bytes() since the last Place.
  void Restore(const std::string& bytes);

  char* Data() const { return FGuard - FSize; }
  std::size_t Size() const { return FSize; }
  std::string Bytes() const { return std::string(Data(), FSize); }

  template <typename TCall>
  bool Watch(TCall call) {
    FWatching = this;
    call();
    FWatching = nullptr;
    return CloseTouchedPages();
  }

private:
  static LONG CALLBACK OnException(EXCEPTION_POINTERS* exception);
  bool CloseTouchedPages();

  static TGuardedBuffer* FWatching;

  std::size_t FPageSize = 0;
  std::size_t FGuardSize = 0;
  TVirtualMemory FMemory;
  TExceptionHandler FHandler;
  char* FGuard = nullptr;
  std::size_t FSize = 0;
  std::vector<char*> FTouched;
};
