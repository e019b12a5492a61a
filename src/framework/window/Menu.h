#pragma once

#include "Action.h"
#include "Component.h"
#include "ImageList.h"
#include "UniqueHandle.h"

#include <memory>
#include <string>
#include <vector>

class TMainMenu;

// One item of a menu: a drop-down menu of the bar, a command bound to an action (caption
// with its shortcut, image and enabled state come from the action), or a separator.
class TMenuItem final : public TActionClient {
public:
  TMenuItem(TMainMenu& menu, HMENU container, UINT command, const std::string& name);

  const std::string& Name() const { return FName; }
  UINT Command() const { return FCommand; }
  // The drop-down menu of an item of the bar; null for any other item.
  HMENU SubMenu() const { return FSubMenu; }
  int ImageIndex() const { return FImageIndex; }

  TMenuItem& AddItem(const std::string& name, TAction& action);
  TMenuItem& AddSeparator(const std::string& name);
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem& Items(int index) { return *FItems[index]; }

  void Click() { ExecuteAction(); }

protected:
  void ActionChanged(const TAction& action) override;

private:
  friend class TMainMenu;
  TMenuItem* Find(UINT command);

  TMainMenu& FMenu;
  HMENU FContainer;
  HMENU FSubMenu = nullptr;
  UINT FCommand;
  std::string FName;
  int FImageIndex = -1;
  std::vector<std::unique_ptr<TMenuItem>> FItems;
};

// The menu bar of a form. Items that show an image are drawn by the form, which hands the
// drawing messages to the menu.
class TMainMenu : public TComponent {
public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  HMENU Handle() const { return FHandle.get(); }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images) { FImages = images; }

  // Appends a drop-down menu to the bar.
  TMenuItem& AddMenu(const std::string& name, const std::string& caption);
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem& Items(int index) { return *FItems[index]; }
  TMenuItem* FindItem(UINT command);

  // Puts the bar on a window, which then shows it until the menu is destroyed.
  void AttachTo(HWND window);
  // WM_MEASUREITEM and WM_DRAWITEM for the images of items; false when not for this menu.
  bool MeasureImage(MEASUREITEMSTRUCT& measure) const;
  bool DrawImage(const DRAWITEMSTRUCT& draw) const;

private:
  friend class TMenuItem;
  UINT NewCommand() { return FNextCommand++; }

  TMenuHandle FHandle;
  HWND FWindow = nullptr;
  TImageList* FImages = nullptr;
  UINT FNextCommand;
  std::vector<std::unique_ptr<TMenuItem>> FItems;
};
