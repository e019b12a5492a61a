#include "Component.h"

#include <algorithm>

#include <windows.h>

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) {
    owner->InsertComponent(this);
  }
}

TComponent::~TComponent() {
  // Those that refer to this component forget it before it goes.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Unlink(other->FFreeNotifies, this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner != nullptr) {
    FOwner->RemoveComponent(this);
  }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* component : FComponents) {
    if (!name.empty() && lstrcmpiA(component->FName.c_str(), name.c_str()) == 0) {
      return component;
    }
  }
  return nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
  if (other == nullptr || other == this) {
    return;
  }
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(other);
    other->FFreeNotifies.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (other != nullptr) {
    Unlink(FFreeNotifies, other);
    Unlink(other->FFreeNotifies, this);
  }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) {
    RemoveFreeNotification(component);
  }
  // A copy, since a handler may free components of this owner.
  const std::vector<TComponent*> owned = FComponents;
  for (TComponent* child : owned) {
    if (std::find(FComponents.begin(), FComponents.end(), child) != FComponents.end()) {
      child->Notification(component, operation);
    }
  }
}

void TComponent::InsertComponent(TComponent* component) {
  FComponents.push_back(component);
  component->FOwner = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, opRemove);
  Unlink(FComponents, component);
  component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  // The last created goes first, so that a component outlives those created after it.
  while (!FComponents.empty()) {
    delete FComponents.back();
  }
}

void TComponent::Unlink(std::vector<TComponent*>& list, TComponent* component) {
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}
