#pragma once

#include "Action.h"
#include "ImageList.h"
#include "WinControl.h"

#include <memory>
#include <vector>

class TToolBar;

// One button of a tool bar, showing its action's image and enabled state; no text.
class TToolButton final : public TActionClient {
public:
  TToolButton(TToolBar& toolBar, int command) : FToolBar(toolBar), FCommand(command) {}
  int Command() const { return FCommand; }
  void Click() { ExecuteAction(); }

protected:
  void ActionChanged(const TAction& action) override;

private:
  TToolBar& FToolBar;
  const int FCommand;
};

// A flat tool bar of image buttons, laid out by a rebar band or its parent.
class TToolBar : public TWinControl {
public:
  TToolBar(TComponent* owner, HWND parent);

  void SetImages(const TImageList& images);
  // Appends a button bound to the action.
  void AddButton(TAction& action);
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TToolButton& Button(int index) { return *FButtons[index]; }
  // The size the bar needs for its buttons.
  SIZE IdealSize() const;

protected:
  void CommandNotification(WORD code, WORD id) override;

private:
  std::vector<std::unique_ptr<TToolButton>> FButtons;
};
