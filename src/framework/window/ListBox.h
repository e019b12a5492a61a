#pragma once

#include "Strings.h"
#include "WinControl.h"

// The items of a list box, held by the control itself.
class TListBoxStrings final : public TStrings {
public:
  explicit TListBoxStrings(HWND listBox) : FListBox(listBox) {}

  int Count() const override;
  std::string Get(int index) const override;
  int Add(const std::string& s) override;
  void Clear() override;

private:
  HWND FListBox;
};

// A single-selection list box that keeps its items in the order they were added.
class TListBox : public TWinControl {
public:
  TListBox(TComponent* owner, HWND parent);

  TStrings& Items() { return FItems; }

private:
  TListBoxStrings FItems;
};
