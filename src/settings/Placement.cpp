#include "Placement.h"

#include "Application.h"
#include "MainThread.h"
#include "Paths.h"
#include "WindowDC.h"

#include <cstdio>

namespace {

int ScreenPixelsPerInch() {
  const TWindowDC screen(nullptr, nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// Value names of positions carry the screen size they were stored for, as "(1024x768)".
std::string ScreenSuffix() {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, "(%dx%d)", GetSystemMetrics(SM_CXSCREEN),
                GetSystemMetrics(SM_CYSCREEN));
  return suffix;
}

std::string FourNumbers(int a, int b, int c, int d) {
  char text[64];
  std::snprintf(text, sizeof text, "%d,%d,%d,%d", a, b, c, d);
  return text;
}

// The n-th word (from 1) of a text whose words are separated by runs of blanks and commas;
// empty when there are fewer words.
std::string Word(const std::string& text, int n) {
  const char* separators = " ,";
  std::size_t start = text.find_first_not_of(separators);
  for (; start != std::string::npos; --n) {
    const std::size_t end = text.find_first_of(separators, start);
    if (n == 1) {
      return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    }
    start = end == std::string::npos ? end : text.find_first_not_of(separators, end);
  }
  return {};
}

} // namespace

TFormPlacement::TFormPlacement(TForm* owner) : TComponent(owner), FForm(owner) {}

TFormPlacement::~TFormPlacement() {
  if (FHooked) {
    FForm->OnShow = FFormShow;
    FForm->OnCloseQuery = FFormCloseQuery;
    FForm->OnDestroy = FFormDestroy;
  }
}

void TFormPlacement::Loaded() {
  TComponent::Loaded();
  FFormShow = FForm->OnShow;
  FFormCloseQuery = FForm->OnCloseQuery;
  FFormDestroy = FForm->OnDestroy;
  FForm->OnShow = Bind<&TFormPlacement::FormShow>(this);
  FForm->OnCloseQuery = Bind<&TFormPlacement::FormCloseQuery>(this);
  FForm->OnDestroy = Bind<&TFormPlacement::FormDestroy>(this);
  FHooked = true;
}

std::string TFormPlacement::KeyPath() const {
  return FIniFileName.empty() ? "Software\\" + ProgramName() : FIniFileName;
}

std::string TFormPlacement::MainSection() const {
  if (!FIniSection.empty()) {
    return FIniSection;
  }
  char className[256] = {};
  GetClassNameA(FForm->Handle(), className, sizeof className);
  return className;
}

void TFormPlacement::FormShow(TObject* sender) {
  if (FActive) {
    RunReported([this] { RestoreState(); });
  }
  FFormShow(sender);
}

void TFormPlacement::FormCloseQuery(TObject* sender, bool& canClose) {
  FFormCloseQuery(sender, canClose);
  if (canClose && FActive && FForm->Handle() != nullptr) {
    RunReported([this] { SaveState(); });
  }
}

void TFormPlacement::FormDestroy(TObject* sender) {
  if (FActive && !FSaved) {
    FDestroying = true;
    RunReported([this] { SaveState(); });
    FDestroying = false;
  }
  FFormDestroy(sender);
  // The form is being destroyed: by the time this component goes, the form's handlers have
  // gone before it, and there is nothing left to put them back into.
  FHooked = false;
}

void TFormPlacement::RestoreState() {
  FSaved = false;
  {
    const TRegIniFile store(KeyPath(), true);
    if (store.ReadNumber(MainSection(), "FormVersion", 0) >= FVersion) {
      ReadPlacement(store);
      FRestored = true;
      LoadStoredProps(store);
      OnRestorePlacement(this);
      if (FOptions.Contains(fpActiveControl)) {
        const std::string name = store.ReadValue(MainSection(), "ActiveControl", "");
        auto* control = dynamic_cast<TWinControl*>(FForm->FindComponent(name));
        if (control != nullptr && control->Visible() && control->Enabled()) {
          control->SetFocus();
        }
      }
    }
    FRestored = true;
  }
  AdjustMaxPosition();
}

void TFormPlacement::SaveState() {
  if (!FRestored && FActive) {
    return;
  }
  TRegIniFile store(KeyPath(), false);
  store.WriteNumber(MainSection(), "FormVersion", FVersion);
  if (FOptions.Contains(fpState) || FOptions.Contains(fpPosition)) {
    WritePlacement(store);
    store.WriteFlag(MainSection(), "Visible", FDestroying);
  }
  if (FOptions.Contains(fpActiveControl)) {
    if (TWinControl* active = TWinControl::FromHandle(GetFocus())) {
      store.WriteValue(MainSection(), "ActiveControl", active->Name());
    }
  }
  SaveStoredProps(store);
  OnSavePlacement(this);
  FSaved = true;
}

void TFormPlacement::LoadStoredProps(const TRegIniFile&) {}

void TFormPlacement::SaveStoredProps(TRegIniFile&) {}

std::string TFormPlacement::ReadScreenValue(const TRegIniFile& store,
                                            const std::string& name) const {
  const std::string suffixed = store.ReadValue(MainSection(), name + ScreenSuffix(), "");
  return suffixed.empty() ? store.ReadValue(MainSection(), name, "") : suffixed;
}

void TFormPlacement::WriteScreenValue(TRegIniFile& store, const std::string& name,
                                      const std::string& text) {
  store.WriteValue(MainSection(), name + ScreenSuffix(), text);
  store.WriteValue(MainSection(), name, text);
}

void TFormPlacement::ReadPlacement(const TRegIniFile& store) {
  if (FOptions.Contains(fpPosition)) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(FForm->Handle(), &placement);
    // Applying the placement must not show a window that is still hidden.
    if (!IsWindowVisible(FForm->Handle())) {
      placement.showCmd = SW_HIDE;
    }
    ReadPosition(store, placement);
  }
  if (FOptions.Contains(fpState)) {
    ReadState(store);
  }
}

void TFormPlacement::ReadPosition(const TRegIniFile& store, WINDOWPLACEMENT& placement) {
  placement.flags = static_cast<UINT>(
      store.ReadNumber(MainSection(), "Flags", static_cast<int>(placement.flags)));
  bool found = false;
  const std::string minMax = ReadScreenValue(store, "MinMaxPos");
  if (!minMax.empty()) {
    placement.ptMinPosition = {StrToIntDef(Word(minMax, 1), 0), StrToIntDef(Word(minMax, 2), 0)};
    placement.ptMaxPosition = {StrToIntDef(Word(minMax, 3), 0), StrToIntDef(Word(minMax, 4), 0)};
    found = true;
  }
  const std::string normal = ReadScreenValue(store, "NormPos");
  if (!normal.empty()) {
    const TBounds bounds = FForm->Bounds();
    placement.rcNormalPosition = {StrToIntDef(Word(normal, 1), bounds.Left),
                                  StrToIntDef(Word(normal, 2), bounds.Top),
                                  StrToIntDef(Word(normal, 3), bounds.Left + bounds.Width),
                                  StrToIntDef(Word(normal, 4), bounds.Top + bounds.Height)};
    found = true;
  }
  // Positions stored at another resolution of the screen's text would be misplaced.
  const int pixelsPerInch = ScreenPixelsPerInch();
  if (store.ReadNumber(MainSection(), "PixelsPerInch", pixelsPerInch) != pixelsPerInch) {
    found = false;
  }
  if (found && placement.rcNormalPosition.right > placement.rcNormalPosition.left) {
    if (FForm->Position() == poScreenCenter) {
      FForm->SetPosition(poDesigned);
    }
    SetWindowPlacement(FForm->Handle(), &placement);
  }
}

void TFormPlacement::ReadState(const TRegIniFile& store) {
  TWindowState state = wsNormal;
  switch (store.ReadNumber(MainSection(), "ShowCmd", 0)) {
  case SW_SHOWNORMAL:
  case SW_SHOW:
  case SW_RESTORE:
    state = wsNormal;
    break;
  case SW_SHOWMINIMIZED:
  case SW_MINIMIZE:
  case SW_SHOWMINNOACTIVE:
    state = wsMinimized;
    break;
  case SW_SHOWMAXIMIZED:
    state = wsMaximized;
    break;
  default:
    break;
  }
  const bool mainForm = Application->MainForm() == nullptr || Application->MainForm() == FForm;
  if (state == wsMinimized && mainForm) {
    // The program starts minimized: the window shows normally and then minimizes.
    FForm->SetWindowState(wsNormal);
    PostMessageA(FForm->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return;
  }
  FForm->SetWindowState(state);
  UpdateWindow(FForm->Handle());
}

void TFormPlacement::AdjustMaxPosition() {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  GetWindowPlacement(FForm->Handle(), &placement);
  if (!IsWindowVisible(FForm->Handle())) {
    placement.showCmd = SW_HIDE;
  }
  // A maximized sizeable window puts its frame just off the screen's edges.
  placement.ptMaxPosition = {-GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME)};
  SetWindowPlacement(FForm->Handle(), &placement);
}

void TFormPlacement::WritePlacement(TRegIniFile& store) {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  GetWindowPlacement(FForm->Handle(), &placement);
  if (Application->MainForm() == FForm && IsIconic(FForm->Handle())) {
    placement.showCmd = SW_SHOWMINIMIZED;
  }
  store.WriteNumber(MainSection(), "Flags", static_cast<int>(placement.flags));
  store.WriteNumber(MainSection(), "ShowCmd", static_cast<int>(placement.showCmd));
  store.WriteNumber(MainSection(), "PixelsPerInch", ScreenPixelsPerInch());
  WriteScreenValue(store, "MinMaxPos",
                   FourNumbers(placement.ptMinPosition.x, placement.ptMinPosition.y,
                               placement.ptMaxPosition.x, placement.ptMaxPosition.y));
  const RECT& normal = placement.rcNormalPosition;
  WriteScreenValue(store, "NormPos",
                   FourNumbers(normal.left, normal.top, normal.right, normal.bottom));
}
