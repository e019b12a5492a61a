#include "Action.h"

#include <windows.h>

#include <algorithm>

std::string ShortCutToText(TShortCut shortCut) {
  const UINT key = shortCut & 0xFF;
  if (key == 0) {
    return {};
  }
  std::string text;
  if (shortCut & scShift) {
    text += "Shift+";
  }
  if (shortCut & scCtrl) {
    text += "Ctrl+";
  }
  if (shortCut & scAlt) {
    text += "Alt+";
  }
  if (key >= VK_F1 && key <= VK_F24) {
    return text + "F" + std::to_string(key - VK_F1 + 1);
  }
  char name[64] = {};
  const LONG scanCode = static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  if (GetKeyNameTextA(scanCode, name, sizeof name) > 0) {
    return text + name;
  }
  return text + static_cast<char>(key);
}

void TActionClient::SetAction(TAction* action) {
  if (FAction != nullptr) {
    auto& clients = FAction->FClients;
    clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
  }
  FAction = action;
  if (action != nullptr) {
    action->FClients.push_back(this);
    ActionChanged(*action);
  }
}

void TActionClient::ExecuteAction() {
  if (FAction != nullptr) {
    FAction->Execute();
  }
}

TAction::~TAction() {
  for (TActionClient* client : FClients) {
    client->FAction = nullptr;
  }
}

void TAction::SetCaption(const std::string& caption) {
  FCaption = caption;
  Changed();
}

void TAction::SetImageIndex(int index) {
  FImageIndex = index;
  Changed();
}

void TAction::SetShortCut(TShortCut shortCut) {
  FShortCut = shortCut;
  Changed();
}

void TAction::SetEnabled(bool enabled) {
  if (enabled != FEnabled) {
    FEnabled = enabled;
    Changed();
  }
}

bool TAction::Execute() {
  if (!FEnabled) {
    return false;
  }
  OnExecute(this);
  return true;
}

void TAction::Changed() {
  for (TActionClient* client : FClients) {
    client->ActionChanged(*this);
  }
}

bool TActionList::IsShortCut(TShortCut shortCut) {
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* action = dynamic_cast<TAction*>(Components(i));
    if (action != nullptr && action->ShortCut() == shortCut) {
      return action->Execute();
    }
  }
  return false;
}
