#pragma once

#include "Strings.h"
#include "WinControl.h"

// The items of a combo box's drop-down list, held by the control itself.
class TComboBoxStrings final : public TStrings {
public:
  explicit TComboBoxStrings(HWND comboBox) : FComboBox(comboBox) {}

  int Count() const override;
  std::string Get(int index) const override;
  int Add(const std::string& s) override;
  void Clear() override;

private:
  HWND FComboBox;
};

// An editable drop-down combo box whose list keeps the order items were added in.
class TComboBox : public TWinControl {
public:
  TComboBox(TComponent* owner, HWND parent);

  TStrings& Items() { return FItems; }
  // The edit box inside, where the text is typed.
  HWND EditHandle() const { return FEdit; }
  // The height of the list that drops down, in items.
  void SetDropDownCount(int count);

  TPropertyList PublishedProperties() override;

private:
  TComboBoxStrings FItems;
  HWND FEdit;
};
