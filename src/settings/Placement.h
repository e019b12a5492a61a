#pragma once

#include "RegIniFile.h"

#include "Component.h"
#include "Form.h"
#include "Set.h"

#include <functional>
#include <string>
#include <vector>

class TPropsStorage;

enum TPlacementOption { fpState, fpPosition, fpActiveControl };
using TPlacementOptions = TSet<TPlacementOption>;

// Keeps its form's placement (normal rectangle, minimized and maximized positions, state)
// in the registry. Once the form is built it takes over the form's show, close-query and
// destroy handlers, calling the form's own ones too: it restores when the form is about to
// appear and stores when a close is allowed, or at destruction if that did not happen.
class TFormPlacement : public TComponent {
public:
  // The owner is the form whose placement is kept.
  explicit TFormPlacement(TForm* owner);
  ~TFormPlacement() override;

  bool Active() const { return FActive; }
  void SetActive(bool value) { FActive = value; }
  // The registry key under HKEY_CURRENT_USER; empty: "Software\" and the program's name.
  const std::string& IniFileName() const { return FIniFileName; }
  void SetIniFileName(const std::string& value) { FIniFileName = value; }
  // The main section; empty: the form's class name.
  const std::string& IniSection() const { return FIniSection; }
  void SetIniSection(const std::string& value) { FIniSection = value; }
  TPlacementOptions Options() const { return FOptions; }
  void SetOptions(TPlacementOptions value) { FOptions = value; }
  int Version() const { return FVersion; }
  void SetVersion(int value) { FVersion = value; }

  void RestoreState();
  void SaveState();

  TNotifyEvent OnSavePlacement;
  TNotifyEvent OnRestorePlacement;

  void Loaded() override;

protected:
  TForm& Form() const { return *FForm; }
  std::string KeyPath() const;
  std::string MainSection() const;
  // What the stored-properties pass adds to a restore and a save.
  virtual void LoadStoredProps(const TRegIniFile& store);
  virtual void SaveStoredProps(TRegIniFile& store);

private:
  void FormShow(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void FormDestroy(TObject* sender);
  void ReadPlacement(const TRegIniFile& store);
  void ReadPosition(const TRegIniFile& store, WINDOWPLACEMENT& placement);
  void ReadState(const TRegIniFile& store);
  void WritePlacement(TRegIniFile& store);
  void AdjustMaxPosition();
  std::string ReadScreenValue(const TRegIniFile& store, const std::string& name) const;
  void WriteScreenValue(TRegIniFile& store, const std::string& name, const std::string& text);

  TForm* FForm;
  bool FActive = true;
  std::string FIniFileName;
  std::string FIniSection;
  TPlacementOptions FOptions{fpState, fpPosition};
  int FVersion = 0;
  bool FHooked = false;
  TNotifyEvent FFormShow;
  TCloseQueryEvent FFormCloseQuery;
  TNotifyEvent FFormDestroy;
  bool FRestored = false;
  bool FSaved = false;
  bool FDestroying = false;
};

// A form placement that also keeps a list of the form's component properties, each named
// "<component>.<property>", as values of the main section.
class TFormStorage : public TFormPlacement {
public:
  explicit TFormStorage(TForm* owner) : TFormPlacement(owner) {}

  // The entries, in the order they are restored and stored.
  std::vector<std::string> StoredProps() const;
  void SetStoredProps(const std::vector<std::string>& entries);

  void Loaded() override;

protected:
  void LoadStoredProps(const TRegIniFile& store) override;
  void SaveStoredProps(TRegIniFile& store) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  struct TStoredProp {
    std::string Entry;
    TComponent* Component = nullptr;
  };

  void ResolveStoredProps();
  void NormaliseStoredProps();
  // Calls visit for the property each entry names, with the storage aimed at its component.
  void VisitStoredProps(TPropsStorage& storage,
                        const std::function<void(const TPropertyInfo&)>& visit);

  std::vector<TStoredProp> FStoredProps;
};
