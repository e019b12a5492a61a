#pragma once

#include "FileCtrl.h"

#include "Form.h"
#include "ShellNotification.h"

// Makes the file facts ask the shell anew for type names and icons when the shell announces
// that file associations have changed, or the system that its settings have.
class TAssociationWatch : private TFormMessageHook {
public:
  TAssociationWatch(TForm& form, TFileCtrl& files);
  ~TAssociationWatch();
  TAssociationWatch(const TAssociationWatch&) = delete;
  TAssociationWatch& operator=(const TAssociationWatch&) = delete;

private:
  bool FormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  TForm& FForm;
  TFileCtrl& FFiles;
  TShellNotification FRegistration;
};
