#pragma once

#include "BrowseFlags.h"

#include "CustomComponent.h"
#include "Event.h"
#include "ItemIdList.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

class TWinControl;

// NewSel is the new selection's file-system path (empty for an item without one),
// NewSelPIDL its item identifier list, which belongs to the dialog.
using TBDSelChangedEvent = TEvent<const std::string& /*NewSel*/, LPCITEMIDLIST /*NewSelPIDL*/>;
// Path is the text typed in the edit box; setting Cancel closes the dialog as cancelled
// instead of keeping it open.
using TBDValidateFailedEvent = TEvent<const std::string& /*Path*/, bool& /*Cancel*/>;

// The shell's modal folder-browse dialog. The properties become the shell call; while the
// dialog is open the component answers its notifications, and its setters act on the open
// dialog at once. The chosen folder comes back as a path in Selection.
class TBrowseDirectoryDlg : public TCustomComponent {
public:
  explicit TBrowseDirectoryDlg(TComponent* owner);

  // Runs the dialog; true when the user accepted an item. Selection is then the item's
  // path as the shell reports it (empty for an item without one), SelectionPIDL its list,
  // ImageIndex its system image and DisplayName what the dialog named it. Otherwise
  // Selection is empty and SelectionPIDL cleared.
  bool Execute();

  std::string Version() const { return "TBrowseDirectoryDlg v2.61"; }
  const std::string& Selection() const { return FSelection; }
  // An existing folder gets a trailing "\"; an empty value clears SelectionPIDL.
  void SetSelection(const std::string& value);
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value) { FTitle = value; }
  TRootID Root() const { return FRoot; }
  void SetRoot(TRootID value) { FRoot = value; }
  TBrowseFlags Options() const { return FOptions; }
  // Stores the options with everything each of them needs.
  void SetOptions(TBrowseFlags value);
  bool Center() const { return FCenter; }
  void SetCenter(bool value) { FCenter = value; }
  const std::string& StatusText() const { return FStatusText; }
  void SetStatusText(const std::string& value);
  bool FitStatusText() const { return FFitStatusText; }
  void SetFitStatusText(bool value);
  bool EnableOKButton() const { return FEnableOKButton; }
  void SetEnableOKButton(bool value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value) { FImageIndex = value; }
  // The open dialog's own title bar, or the stored text while none is open.
  std::string Caption() const;
  void SetCaption(const std::string& value);
  bool ShowSelectionInStatus() const { return FShowSelectionInStatus; }
  void SetShowSelectionInStatus(bool value) { FShowSelectionInStatus = value; }

  LPCITEMIDLIST SelectionPIDL() const { return FSelectionPIDL.get(); }
  // The open dialog; null when none is open.
  HWND DialogWindow() const { return FDialogWindow; }
  TWinControl* OwnerWindow() const { return FOwnerWindow; }
  const std::string& DisplayName() const { return FDisplayName; }

  TBDSelChangedEvent OnSelChanged;
  // Raised once the dialog is initialised.
  TEvent<> OnCreate;
  TBDValidateFailedEvent OnValidateFailed;

  TPropertyList PublishedProperties() override;

protected:
  void Notification(TComponent* component, TOperation operation) override;

  virtual void DoInitialized(HWND window);
  virtual void DoSelChanged(HWND window, LPCITEMIDLIST list);
  virtual void DoValidateFailed(const std::string& path, bool& cancel);

private:
  static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);
  int DialogNotification(HWND window, UINT message, LPARAM lParam);
  HWND OwnerHandle() const;
  // Asks the open dialog to select what Selection (or SelectionPIDL) names.
  void ApplySelection();
  // The status text to show: shortened to the dialog's status line when asked to.
  std::string FitStatus() const;
  void SendStatusText() const;

  std::string FSelection;
  std::string FTitle;
  TRootID FRoot = idDesktop;
  TBrowseFlags FOptions;
  bool FCenter = true;
  std::string FStatusText;
  bool FFitStatusText = true;
  bool FEnableOKButton = true;
  int FImageIndex = -1;
  std::string FCaption;
  bool FShowSelectionInStatus = false;

  TItemIdList FSelectionPIDL;
  HWND FDialogWindow = nullptr;
  TWinControl* FOwnerWindow = nullptr;
  std::string FDisplayName;
};
