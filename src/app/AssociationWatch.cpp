#include "AssociationWatch.h"

#include "Messages.h"

TAssociationWatch::TAssociationWatch(TForm& form, TFileCtrl& files) : FForm(form), FFiles(files) {
  // Under Wine the announcement reaches registered windows of the announcing process only.
  SHChangeNotifyEntry everything = {nullptr, TRUE};
  FRegistration.reset(SHChangeNotifyRegister(form.Handle(), SHCNRF_ShellLevel, SHCNE_ASSOCCHANGED,
                                             WM_KOV_ASSOCIATIONS_CHANGED, 1, &everything));
  form.AddMessageHook(this);
}

TAssociationWatch::~TAssociationWatch() {
  FForm.RemoveMessageHook(this);
}

bool TAssociationWatch::FormMessage(UINT message, WPARAM, LPARAM, LRESULT&) {
  if (message == WM_KOV_ASSOCIATIONS_CHANGED || message == WM_SETTINGCHANGE) {
    FFiles.AssociationsChanged();
  }
  return false; // the form's own handling follows
}
