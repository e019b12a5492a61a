#pragma once

#include "WinControl.h"

// A single-line edit box.
class TEdit : public TWinControl {
public:
  TEdit(TComponent* owner, HWND parent)
      : TWinControl(owner, "Edit", ES_AUTOHSCROLL | WS_TABSTOP, parent, WS_EX_CLIENTEDGE) {}

  TPropertyList PublishedProperties() override {
    return {StringProperty(
        "Text", [this] { return Text(); }, [this](const std::string& s) { SetText(s); })};
  }
};
