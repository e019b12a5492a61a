#pragma once

#include "Object.h"

#include <utility>

// An event: a handler bound to a method of its owner, raised synchronously and only when
// assigned, with the sender first. Like a method pointer it is two words, so raising copies
// nothing that a handler could destroy by reassigning the event while it runs.
template <typename... Args>
class TEvent {
public:
  using TCall = void (*)(void* owner, TObject* sender, Args... args);

  constexpr TEvent() = default;
  constexpr TEvent(void* owner, TCall call) : FOwner(owner), FCall(call) {}

  bool Assigned() const { return FCall != nullptr; }
  explicit operator bool() const { return Assigned(); }

  void operator()(TObject* sender, Args... args) const {
    const TCall call = FCall;
    if (call != nullptr) {
      call(FOwner, sender, std::forward<Args>(args)...);
    }
  }

private:
  void* FOwner = nullptr;
  TCall FCall = nullptr;
};

template <auto Method>
struct TMethodBinding;

template <typename TOwner, typename... Args, void (TOwner::*Method)(TObject*, Args...)>
struct TMethodBinding<Method> {
  using TOwnerType = TOwner;
  using TEventType = TEvent<Args...>;
  static void Call(void* owner, TObject* sender, Args... args) {
    (static_cast<TOwner*>(owner)->*Method)(sender, std::forward<Args>(args)...);
  }
};

// Binds an event to a method of its owner: OnFound = Bind<&TForm::GrepFound>(this).
template <auto Method>
typename TMethodBinding<Method>::TEventType
Bind(typename TMethodBinding<Method>::TOwnerType* owner) {
  return {owner, &TMethodBinding<Method>::Call};
}
