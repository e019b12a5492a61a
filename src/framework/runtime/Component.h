#pragma once

#include "Object.h"
#include "Properties.h"

#include <string>
#include <vector>

enum TOperation { opInsert, opRemove };

// A component: it has an owner that frees it, a name, and the components it owns itself.
// Components that refer to each other ask to be told when the other one goes away.
class TComponent : public TObject {
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& name) { FName = name; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents[index]; }
  // The owned component of that name, compared without regard to case; null when none.
  TComponent* FindComponent(const std::string& name) const;

  // Asks that this component's Notification be told when other is destroyed, and the other
  // way round.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // Told once the owner has finished building and setting up its components.
  virtual void Loaded() {}
  // The properties that can be read and written by name, as stored settings do.
  virtual TPropertyList PublishedProperties() { return {}; }

protected:
  // Told of a component being inserted or removed anywhere among the components of the same
  // owner, or of one that asked for a free notification. Overrides call the base first.
  virtual void Notification(TComponent* component, TOperation operation);

private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  static void Unlink(std::vector<TComponent*>& list, TComponent* component);

  TComponent* FOwner = nullptr;
  std::string FName;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};
