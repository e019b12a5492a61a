#include "framework/Application.h"
#include "search/FileGrep.h"

#include <cstdio>

// Until the main window exists, the program shows a threaded search on the console: every
// DLL and EXE in the system folder, as the engine reports them.
class TSearchDemo {
public:
  explicit TSearchDemo(TFileGrep& grep) {
    grep.OnFound = Bind<&TSearchDemo::Found>(this);
    grep.OnEnd = Bind<&TSearchDemo::Ended>(this);
  }

private:
  void Found(TObject*, const std::string& found) { std::printf("%s\n", found.c_str()); }
  void Ended(TObject* sender) {
    std::printf("%d found\n", static_cast<TFileGrep*>(sender)->FoundList().Count());
    Application->Terminate();
  }
};

int main() {
  TApplication application;
  application.SetTitle("KOVQuillet");
  auto* grep = new TFileGrep(&application);
  TSearchDemo demo(*grep);
  char folder[MAX_PATH];
  GetSystemDirectoryA(folder, MAX_PATH);
  grep->SetDirs(folder);
  grep->SetFileMasks("*.dll;*.exe");
  grep->SetRecurseSubDirs(false);
  grep->Start();
  application.Run();
  return 0;
}
