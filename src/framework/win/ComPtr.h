#pragma once

#include <unknwn.h>

#include <utility>

// Owner of one reference to a COM object: Release when it goes, AddRef when it is copied.
template <typename T>
class TComPtr {
public:
  TComPtr() = default;
  // Takes over a reference the caller holds (one an API call handed out).
  explicit TComPtr(T* object) : FObject(object) {}
  TComPtr(const TComPtr& other) : FObject(other.FObject) {
    if (FObject != nullptr) {
      FObject->AddRef();
    }
  }
  TComPtr(TComPtr&& other) noexcept : FObject(other.release()) {}
  TComPtr& operator=(TComPtr other) noexcept {
    std::swap(FObject, other.FObject);
    return *this;
  }
  ~TComPtr() { reset(); }

  T* get() const { return FObject; }
  T* operator->() const { return FObject; }
  explicit operator bool() const { return FObject != nullptr; }

  T* release() { return std::exchange(FObject, nullptr); }
  void reset(T* object = nullptr) {
    if (T* old = std::exchange(FObject, object)) {
      old->Release();
    }
  }
  // For an API call that hands out a reference: drops the one held, then gives the place
  // the call writes the new one into.
  T** put() {
    reset();
    return &FObject;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

  // Asks the object for another of its interfaces, into another owner; answers what
  // QueryInterface answered. The other owner is empty unless that is S_OK.
  template <typename U>
  HRESULT QueryInterface(REFIID iid, TComPtr<U>& other) const {
    if (FObject == nullptr) {
      other.reset();
      return E_POINTER;
    }
    const HRESULT result = FObject->QueryInterface(iid, other.put_void());
    if (result != S_OK) {
      other.reset();
    }
    return result;
  }

private:
  T* FObject = nullptr;
};
