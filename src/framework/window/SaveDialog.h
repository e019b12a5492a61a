#pragma once

#include "Component.h"

#include <windows.h>

#include <string>

// The common Save As dialog. What the user chose stays in FileName.
class TSaveDialog : public TComponent {
public:
  explicit TSaveDialog(TComponent* owner) : TComponent(owner) {}

  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value) { FFileName = value; }
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& value) { FInitialDir = value; }
  const std::string& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& value) { FDefaultExt = value; }
  // Pairs of description and pattern, all separated by "|".
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& value) { FFilter = value; }
  // OFN_ flags added to those the dialog always has.
  DWORD Options() const { return FOptions; }
  void SetOptions(DWORD value) { FOptions = value; }

  // Shows the dialog, owned by the window; true when the user chose a file.
  bool Execute(HWND owner);

  TPropertyList PublishedProperties() override;

private:
  std::string FFileName;
  std::string FInitialDir;
  std::string FDefaultExt;
  std::string FFilter;
  DWORD FOptions = 0;
};
