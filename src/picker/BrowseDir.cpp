#include "BrowseDir.h"

#include "Application.h"
#include "Form.h"

TBrowseDirectoryDlg::TBrowseDirectoryDlg(TComponent* owner) : TCustomComponent(owner) {
  FOwnerWindow = dynamic_cast<TWinControl*>(owner);
  if (FOwnerWindow == nullptr && Application != nullptr && Application->MainForm() != nullptr) {
    FOwnerWindow = Application->MainForm();
    // Not our owner, so it may go first.
    FreeNotification(FOwnerWindow);
  }
}

void TBrowseDirectoryDlg::Notification(TComponent* component, TOperation operation) {
  TCustomComponent::Notification(component, operation);
  if (operation == opRemove && component == FOwnerWindow) {
    FOwnerWindow = nullptr;
  }
}

HWND TBrowseDirectoryDlg::OwnerHandle() const {
  if (FOwnerWindow != nullptr) {
    return FOwnerWindow->Handle();
  }
  if (const auto* control = dynamic_cast<const TWinControl*>(Owner())) {
    return control->Handle();
  }
  if (Owner() != nullptr && Application != nullptr && Application->MainForm() != nullptr) {
    return Application->MainForm()->Handle();
  }
  return nullptr;
}

void TBrowseDirectoryDlg::SetOptions(TBrowseFlags value) {
  if (value != FOptions) {
    FOptions = CompleteOptions(value);
  }
}

void TBrowseDirectoryDlg::SetEnableOKButton(bool value) {
  FEnableOKButton = value;
  if (FDialogWindow != nullptr) {
    SendMessageA(FDialogWindow, BFFM_ENABLEOK, 0, value ? 1 : 0);
  }
}

std::string TBrowseDirectoryDlg::Caption() const {
  if (FDialogWindow == nullptr) {
    return FCaption;
  }
  char text[256] = {};
  SendMessageA(FDialogWindow, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void TBrowseDirectoryDlg::SetCaption(const std::string& value) {
  FCaption = value;
  if (FDialogWindow != nullptr) {
    SendMessageA(FDialogWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FCaption.c_str()));
  }
}

TPropertyList TBrowseDirectoryDlg::PublishedProperties() {
  using TText = const std::string&;
  return {
      StringProperty(
          "Version", [this] { return Version(); }, [](TText) {}),
      StringProperty(
          "Selection", [this] { return Selection(); }, [this](TText s) { SetSelection(s); }),
      StringProperty(
          "Title", [this] { return Title(); }, [this](TText s) { SetTitle(s); }),
      StringProperty(
          "StatusText", [this] { return StatusText(); }, [this](TText s) { SetStatusText(s); }),
      StringProperty(
          "Caption", [this] { return Caption(); }, [this](TText s) { SetCaption(s); }),
      BooleanProperty(
          "Center", [this] { return Center(); }, [this](bool b) { SetCenter(b); }),
      BooleanProperty(
          "FitStatusText", [this] { return FitStatusText(); },
          [this](bool b) { SetFitStatusText(b); }),
      BooleanProperty(
          "EnableOKButton", [this] { return EnableOKButton(); },
          [this](bool b) { SetEnableOKButton(b); }),
      BooleanProperty(
          "ShowSelectionInStatus", [this] { return ShowSelectionInStatus(); },
          [this](bool b) { SetShowSelectionInStatus(b); }),
  };
}
