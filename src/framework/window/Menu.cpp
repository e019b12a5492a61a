#include "Menu.h"

#include <stdexcept>

namespace {
// Command identifiers start above those of dialog buttons (IDOK, IDCANCEL, ...).
constexpr UINT FirstMenuCommand = 200;
} // namespace

TMenuItem::TMenuItem(TMainMenu& menu, HMENU container, UINT command, const std::string& name)
    : FMenu(menu), FContainer(container), FCommand(command), FName(name) {}

TMenuItem& TMenuItem::AddItem(const std::string& name, TAction& action) {
  auto item = std::make_unique<TMenuItem>(FMenu, FSubMenu, FMenu.NewCommand(), name);
  AppendMenuA(FSubMenu, MF_STRING, item->FCommand, "");
  TMenuItem& added = *item;
  FItems.push_back(std::move(item));
  added.SetAction(&action);
  return added;
}

TMenuItem& TMenuItem::AddSeparator(const std::string& name) {
  auto item = std::make_unique<TMenuItem>(FMenu, FSubMenu, FMenu.NewCommand(), name);
  AppendMenuA(FSubMenu, MF_SEPARATOR, item->FCommand, nullptr);
  FItems.push_back(std::move(item));
  return *FItems.back();
}

void TMenuItem::ActionChanged(const TAction& action) {
  std::string caption = action.Caption();
  const std::string shortCut = ShortCutToText(action.ShortCut());
  if (!shortCut.empty()) {
    caption += "\t" + shortCut;
  }
  FImageIndex = action.ImageIndex();
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING | MIIM_STATE | MIIM_BITMAP | MIIM_DATA;
  info.dwTypeData = caption.data();
  info.fState = action.Enabled() ? MFS_ENABLED : MFS_DISABLED;
  info.hbmpItem = FImageIndex >= 0 ? HBMMENU_CALLBACK : nullptr;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  SetMenuItemInfoA(FContainer, FCommand, FALSE, &info);
}

TMenuItem* TMenuItem::Find(UINT command) {
  if (command == FCommand) {
    return this;
  }
  for (const auto& item : FItems) {
    if (TMenuItem* found = item->Find(command)) {
      return found;
    }
  }
  return nullptr;
}

TMainMenu::TMainMenu(TComponent* owner)
    : TComponent(owner), FHandle(::CreateMenu()), FNextCommand(FirstMenuCommand) {
  if (!FHandle) {
    throw std::runtime_error("Cannot create the menu");
  }
}

TMainMenu::~TMainMenu() {
  // The window would destroy the bar a second time.
  if (FWindow != nullptr && IsWindow(FWindow) && GetMenu(FWindow) == FHandle.get()) {
    ::SetMenu(FWindow, nullptr);
  }
}

TMenuItem& TMainMenu::AddMenu(const std::string& name, const std::string& caption) {
  auto item = std::make_unique<TMenuItem>(*this, FHandle.get(), NewCommand(), name);
  item->FSubMenu = CreatePopupMenu();
  AppendMenuA(FHandle.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(item->FSubMenu),
              caption.c_str());
  FItems.push_back(std::move(item));
  return *FItems.back();
}

TMenuItem* TMainMenu::FindItem(UINT command) {
  for (const auto& item : FItems) {
    if (TMenuItem* found = item->Find(command)) {
      return found;
    }
  }
  return nullptr;
}

void TMainMenu::AttachTo(HWND window) {
  FWindow = window;
  ::SetMenu(window, FHandle.get());
}

bool TMainMenu::MeasureImage(MEASUREITEMSTRUCT& measure) const {
  if (measure.CtlType != ODT_MENU || FImages == nullptr || FImages->Handle() == nullptr) {
    return false;
  }
  measure.itemWidth = static_cast<UINT>(FImages->Width());
  measure.itemHeight = static_cast<UINT>(FImages->Height());
  return true;
}

bool TMainMenu::DrawImage(const DRAWITEMSTRUCT& draw) const {
  if (draw.CtlType != ODT_MENU || FImages == nullptr || draw.itemData == 0) {
    return false;
  }
  const auto* item = reinterpret_cast<const TMenuItem*>(draw.itemData);
  const int top = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - FImages->Height()) / 2;
  ImageList_Draw(FImages->Handle(), item->ImageIndex(), draw.hDC, draw.rcItem.left, top,
                 (draw.itemState & ODS_GRAYED) != 0 ? ILD_BLEND50 : ILD_TRANSPARENT);
  return true;
}
