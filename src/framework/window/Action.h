#pragma once

#include "Component.h"
#include "Event.h"

#include <string>
#include <vector>

class TAction;
class TImageList;

// A key with its modifiers: the virtual-key code plus these bits.
using TShortCut = unsigned short;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The text a menu shows for a shortcut, such as "Alt+F4"; empty for none.
std::string ShortCutToText(TShortCut shortCut);

// A button, menu item or tool button that shows an action and runs it.
class TActionClient {
public:
  TAction* Action() const { return FAction; }
  void SetAction(TAction* action);

protected:
  TActionClient() = default;
  TActionClient(const TActionClient&) = delete;
  TActionClient& operator=(const TActionClient&) = delete;
  ~TActionClient() { SetAction(nullptr); }

  // Shows the action's current caption, image and enabled state.
  virtual void ActionChanged(const TAction& action) = 0;
  // Runs the action, if there is one and it is enabled.
  void ExecuteAction();

private:
  friend class TAction;
  TAction* FAction = nullptr;
};

// A command the user can give in several ways. Its clients follow its caption, image and
// enabled state.
class TAction : public TComponent {
public:
  explicit TAction(TComponent* owner) : TComponent(owner) {}
  ~TAction() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& category) { FCategory = category; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut shortCut);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  // Raises OnExecute when the action is enabled; answers whether it did.
  bool Execute();

  TEvent<> OnExecute;

private:
  friend class TActionClient;
  void Changed();

  std::string FCaption;
  std::string FCategory;
  std::string FHint;
  int FImageIndex = -1;
  TShortCut FShortCut = 0;
  bool FEnabled = true;
  std::vector<TActionClient*> FClients;
};

// Owns actions and the images they show.
class TActionList : public TComponent {
public:
  explicit TActionList(TComponent* owner) : TComponent(owner) {}

  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images) { FImages = images; }

  // Runs the enabled action with that shortcut; answers whether there was one.
  bool IsShortCut(TShortCut shortCut);

private:
  TImageList* FImages = nullptr;
};
