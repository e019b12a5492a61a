#include "GuardedBuffer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

TGuardedBuffer* TGuardedBuffer::FWatching = nullptr;

// The system's walk can go some 0x10000 bytes further for each level of a query and for the
// copy of a text value, so the guard covers far more than any of them reaches.
TGuardedBuffer::TGuardedBuffer() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  FPageSize = system.dwPageSize;
  FGuardSize = 0x100000;
  FMemory.reset(
      VirtualAlloc(nullptr, MaxSize + FGuardSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  DWORD old = 0;
  if (!FMemory || !VirtualProtect(static_cast<char*>(FMemory.get()) + MaxSize, FGuardSize,
                                  PAGE_NOACCESS, &old)) {
    throw std::runtime_error("no guarded memory");
  }
  FGuard = static_cast<char*>(FMemory.get()) + MaxSize;
  FTouched.reserve(FGuardSize / FPageSize); // the handler must not allocate
  FHandler.reset(AddVectoredExceptionHandler(1, &OnException));
}

char* TGuardedBuffer::Place(std::size_t size) {
  if (size > MaxSize) {
    throw std::length_error("too large for the guarded buffer");
  }
  FSize = size;
  std::memset(Data(), 0, size);
  return Data();
}

void TGuardedBuffer::Assign(std::string_view bytes) {
  std::memcpy(Place(bytes.size()), bytes.data(), bytes.size());
}

void TGuardedBuffer::Restore(const std::string& bytes) {
  std::memcpy(Data(), bytes.data(), std::min(bytes.size(), FSize));
}

LONG CALLBACK TGuardedBuffer::OnException(EXCEPTION_POINTERS* exception) {
  TGuardedBuffer* self = FWatching;
  const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
  if (self == nullptr || record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION ||
      record.NumberParameters < 2) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  char* address = reinterpret_cast<char*>(record.ExceptionInformation[1]);
  if (address < self->FGuard || address >= self->FGuard + self->FGuardSize) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  char* page = self->FGuard + (address - self->FGuard) / self->FPageSize * self->FPageSize;
  DWORD old = 0;
  if (self->FTouched.size() == self->FTouched.capacity() ||
      !VirtualProtect(page, self->FPageSize, PAGE_READWRITE, &old)) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  self->FTouched.push_back(page);
  return EXCEPTION_CONTINUE_EXECUTION;
}

bool TGuardedBuffer::CloseTouchedPages() {
  const bool touched = !FTouched.empty();
  for (char* page : FTouched) {
    std::memset(page, 0, FPageSize);
    DWORD old = 0;
    VirtualProtect(page, FPageSize, PAGE_NOACCESS, &old);
  }
  FTouched.clear();
  return touched;
}
