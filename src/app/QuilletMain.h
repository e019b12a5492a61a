#pragma once

#include "AssociationWatch.h"
#include "BrowseDir.h"
#include "FileCtrl.h"
#include "FileGrep.h"
#include "Placement.h"
#include "RowBuilder.h"
#include "ShellBrowser.h"
#include "VersionInfo.h"

#include "Action.h"
#include "Animate.h"
#include "Button.h"
#include "ComboBox.h"
#include "CoolBar.h"
#include "Edit.h"
#include "Form.h"
#include "ImageList.h"
#include "Label.h"
#include "ListView.h"
#include "Menu.h"
#include "Panel.h"
#include "SaveDialog.h"
#include "StatusBar.h"
#include "ToolBar.h"
#include "ToolTips.h"
#include "UniqueHandle.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// How often, in milliseconds, a search handles the window's messages between found files:
// often enough that Stop, closing and the found count show no delay a user could see.
constexpr ULONGLONG SearchMessageInterval = 25;

// The main window: the search panel, the result list, the tool bar, the menu and the status
// bar, and the search run as the user sees it.
class TfrmQuilletMain : public TForm {
public:
  explicit TfrmQuilletMain(TComponent* owner);
  ~TfrmQuilletMain() override;

  // Controls.
  TCoolBar* CoolBar1 = nullptr;
  TToolBar* ToolBar1 = nullptr;
  TPanel* Panel1 = nullptr;
  TLabel* lbFileMasks = nullptr;
  TComboBox* edFileMasks = nullptr;
  TLabel* lbStartDir = nullptr;
  TEdit* edStartDir = nullptr;
  TButton* BtnBrowse = nullptr;
  TCheckBox* IncludeSubFolders = nullptr;
  TButton* BtnFind = nullptr;
  TButton* BtnStop = nullptr;
  TAnimate* Animate1 = nullptr;
  TLabel* Label1 = nullptr;
  TListView* ListView = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TToolTips* ToolTips = nullptr;

  // Components.
  TFileGrep* FileGrep1 = nullptr;
  TVersionInfo* VersionInfo1 = nullptr;
  TFormStorage* FormStorage1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;
  TFileCtrl* FileCtrl1 = nullptr;
  TShellBrowser* ShellBrowser = nullptr;
  TBrowseDirectoryDlg* BrowseFolderDlg = nullptr;
  TImageList* ImageList1 = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* actFileSaveAs = nullptr;
  TAction* actFileExit = nullptr;
  TAction* actHelpAbout = nullptr;
  TAction* actFindFind = nullptr;
  TAction* actFindStop = nullptr;
  TMainMenu* MainMenu1 = nullptr;

  // Handlers.
  void actFileExitExecute(TObject* Sender);
  void actFindFindExecute(TObject* Sender);
  void actFindStopExecute(TObject* Sender);
  void edFileMasksKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void edStartDirKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void FileGrep1DirChange(TObject* Sender, const std::string& name);
  void FileGrep1Finished(TObject* Sender);
  void FileGrep1Cancel(TObject* Sender);
  void FileGrep1Found(TObject* Sender, const std::string& found);
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ListViewGetSubItemImage(TObject* Sender, int Item, int SubItem, int& ImageIndex);
  void ListViewColumnClick(TObject* Sender, int Column);
  void ListViewContextPopup(TObject* Sender, POINT MousePos, bool& Handled);
  void ListViewDblClick(TObject* Sender);
  void ListViewKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void ListViewEdited(TObject* Sender, int Item, std::string& S);
  void actFileSaveAsExecute(TObject* Sender);
  void actHelpAboutExecute(TObject* Sender);
  void BtnBrowseClick(TObject* Sender);

protected:
  void Resize() override;

private:
  void CreateActions();
  void BuildMenu();
  void CreateToolBar();
  void CreateSearchPanel();
  void CreateResultList();
  void CreateStorage();
  void CreateFolderPicker();
  void SearchEnded(const char* status);
  void ShowFoundCount();

  std::int32_t FFoundCount = 0;
  // The count the status bar shows.
  std::int32_t FShownCount = 0;
  // The row being filled by the found handler.
  int FFoundItem = -1;
  std::string FFoundDir;
  std::string FFoundName;
  bool FSortAscending = false;
  std::uint8_t FSortColumn = 0;
  // The shell's small-icon list, shared: freeing this wrapper leaves it intact.
  TImageList* FSmallImages = nullptr;
  // Where the system's find-file animation comes from.
  TModuleHandle FShell32;
  TImageList* FFindGlyph = nullptr;
  TImageList* FStopGlyph = nullptr;
  std::unique_ptr<TAssociationWatch> FAssociationWatch;
  // Made once the version reader and the file facts are.
  std::optional<TRowBuilder> FRowBuilder;
};

extern TfrmQuilletMain* frmQuilletMain;

// The direction of the last sort: ascending puts smaller texts first.
extern bool SortAscending;
// The saved report: the column captions and every row, cells joined by two tabs, each line
// ended by CR LF.
std::string ReportText(const TListView& list);
