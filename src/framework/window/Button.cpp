#include "Button.h"

#include <commctrl.h>

void TButton::SetGlyph(const TImageList& images) {
  BUTTON_IMAGELIST glyph = {};
  glyph.himl = images.Handle();
  glyph.margin = {4, 0, 0, 0};
  glyph.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  SendMessageA(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&glyph));
}

bool TButton::Default() const {
  return (GetWindowLongPtrA(Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

void TButton::SetDefault(bool isDefault) {
  SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::CommandNotification(WORD code, WORD) {
  if (code == BN_CLICKED) {
    Click();
  }
}

void TButton::Click() {
  if (FModalResult != mrNone) {
    if (auto* form = dynamic_cast<TForm*>(FromHandle(GetAncestor(Handle(), GA_ROOT)))) {
      form->SetModalResult(FModalResult);
    }
  }
  if (Action() != nullptr) {
    ExecuteAction();
  } else {
    OnClick(this);
  }
}

void TButton::ActionChanged(const TAction& action) {
  SetText(action.Caption());
  SetEnabled(action.Enabled());
}

bool TCheckBox::Checked() const {
  return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

TPropertyList TCheckBox::PublishedProperties() {
  return {BooleanProperty(
              "Checked", [this] { return Checked(); }, [this](bool b) { SetChecked(b); }),
          StringProperty(
              "Caption", [this] { return Text(); }, [this](const std::string& s) { SetText(s); })};
}
