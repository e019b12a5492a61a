#include "Component.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> Freed; // names, in the order the components went
std::vector<std::string> Seen;  // "receiver saw name go"
std::set<const TComponent*> Living;

// A component that may refer to another one, as a list view refers to its image list, and
// must drop the reference when that one goes.
class TProbe : public TComponent {
public:
  TProbe(TComponent* owner, const std::string& name) : TComponent(owner) {
    SetName(name);
    Living.insert(this);
  }
  ~TProbe() override {
    EXPECT_TRUE(Peer == nullptr || Living.count(Peer) != 0) << Name() << " kept a freed peer";
    Living.erase(this);
    Freed.push_back(Name());
  }

  TComponent* Peer = nullptr;
  // Freed by this one when it learns that Peer went, as a handler may do.
  TComponent* FreeWithPeer = nullptr;

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    EXPECT_EQ(Living.count(this), 1u) << "a freed component was told";
    if (operation != opRemove) {
      return;
    }
    Seen.push_back(Name() + " saw " + component->Name() + " go");
    if (component == Peer) {
      Peer = nullptr;
      delete std::exchange(FreeWithPeer, nullptr);
    }
  }
};

long Times(const std::string& entry) {
  return std::count(Seen.begin(), Seen.end(), entry);
}

TEST(ComponentTest, OwnerFreesItsComponentsLastCreatedFirst) {
  auto* form = new TProbe(nullptr, "Form");
  auto* panel = new TProbe(form, "Panel");
  new TProbe(panel, "Button");
  new TProbe(form, "List");
  delete new TProbe(form, "Gone"); // freed on its own first: the owner must forget it
  auto* status = new TProbe(form, "Status");
  ASSERT_EQ(form->ComponentCount(), 3);
  EXPECT_EQ(form->Components(0), panel);
  EXPECT_EQ(form->Components(2), status);
  EXPECT_EQ(status->Owner(), form);

  Freed.clear();
  delete form;
  EXPECT_EQ(Freed, (std::vector<std::string>{"Form", "Status", "List", "Panel", "Button"}));
  EXPECT_TRUE(Living.empty());
}

TEST(ComponentTest, FindComponentLooksAtItsOwnByNameWhateverTheCase) {
  TProbe form(nullptr, "Form");
  auto* edit = new TProbe(&form, "edtPath");
  new TProbe(&form, "");
  new TProbe(edit, "btnInner");
  EXPECT_EQ(form.FindComponent("EDTPATH"), edit);
  EXPECT_EQ(form.FindComponent("edtpath"), edit);
  EXPECT_EQ(form.FindComponent("edt"), nullptr);
  EXPECT_EQ(form.FindComponent("btnInner"), nullptr); // owned by edit, not by the form
  EXPECT_EQ(form.FindComponent(""), nullptr);
}

TEST(ComponentTest, TheOwnersOtherComponentsAreToldWhenOneGoes) {
  TProbe form(nullptr, "Form");
  auto* list = new TProbe(&form, "List");
  auto* images = new TProbe(&form, "Images");
  list->FreeWithPeer = new TProbe(&form, "Menu");
  list->Peer = images;

  Seen.clear();
  delete images;
  EXPECT_EQ(list->Peer, nullptr);
  EXPECT_EQ(Times("List saw Images go"), 1);
  EXPECT_EQ(Times("Form saw Images go"), 1);
  // Menu, freed by List while it was being told, was announced in turn and not told after.
  EXPECT_EQ(Times("List saw Menu go"), 1);
  ASSERT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.Components(0), list);
}

TEST(ComponentTest, FreeNotificationLinksComponentsOfTwoOwnersBothWays) {
  for (const bool listGoesFirst : {true, false}) {
    SCOPED_TRACE(listGoesFirst ? "list first" : "images first");
    auto* formA = new TProbe(nullptr, "FormA");
    auto* formB = new TProbe(nullptr, "FormB");
    auto* list = new TProbe(formA, "List");
    auto* images = new TProbe(formB, "Images");
    list->Peer = images;
    images->Peer = list;
    // Asked by one side, twice: both sides are told, once.
    list->FreeNotification(images);
    list->FreeNotification(images);

    Seen.clear();
    if (listGoesFirst) {
      delete formA; // List goes with its owner
      EXPECT_EQ(Times("Images saw List go"), 1);
      EXPECT_EQ(images->Peer, nullptr);
    } else {
      delete images;
      EXPECT_EQ(Times("List saw Images go"), 1);
      EXPECT_EQ(list->Peer, nullptr);
      delete formA;
    }
    delete formB; // the survivor must not call on the one already freed
    EXPECT_TRUE(Living.empty());
  }

  TProbe first(nullptr, "First");
  auto* second = new TProbe(nullptr, "Second");
  first.FreeNotification(second);
  second->RemoveFreeNotification(&first);
  Seen.clear();
  delete second;
  EXPECT_TRUE(Seen.empty());
}

TEST(ComponentTest, ComponentsFreedByTheOwnersDestructorAreAnnouncedToTheRest) {
  auto* form = new TProbe(nullptr, "Form");
  auto* list = new TProbe(form, "List");
  list->Peer = new TProbe(form, "Images");

  Seen.clear();
  Freed.clear();
  delete form; // Images goes first, while List still refers to it
  EXPECT_EQ(Freed, (std::vector<std::string>{"Form", "Images", "List"}));
  EXPECT_EQ(Times("List saw Images go"), 1);
}

} // namespace
