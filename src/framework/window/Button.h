#pragma once

#include "Action.h"
#include "Event.h"
#include "Form.h"
#include "ImageList.h"
#include "WinControl.h"

// A push button; bound to an action it shows the action's caption and enabled state and runs
// it when clicked. In a form it may be the default button, which Enter clicks, and the cancel
// button, which Esc clicks; a click gives the form the button's modal result.
class TButton : public TWinControl, public TActionClient {
public:
  TButton(TComponent* owner, HWND parent)
      : TWinControl(owner, "Button", BS_PUSHBUTTON | WS_TABSTOP, parent) {}

  // Shows the images of the list beside the caption: one image for every state, or six,
  // one per state (normal, hot, pressed, disabled, default, focused).
  void SetGlyph(const TImageList& images);

  // The default button shows the thick frame of one.
  bool Default() const;
  void SetDefault(bool isDefault);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool cancel) { FCancel = cancel; }
  void SetModalResult(TModalResult result) { FModalResult = result; }

  // What the user's click does: the modal result first, then the action or OnClick.
  void Click();

  TEvent<> OnClick;

protected:
  void CommandNotification(WORD code, WORD id) override;
  void ActionChanged(const TAction& action) override;

private:
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
};

// A check box that ticks and unticks itself when clicked.
class TCheckBox : public TWinControl {
public:
  TCheckBox(TComponent* owner, HWND parent)
      : TWinControl(owner, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, parent) {}

  bool Checked() const;
  void SetChecked(bool checked);

  TPropertyList PublishedProperties() override;
};
