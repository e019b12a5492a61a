#include "WindowSearch.h"

#include "Stopwatch.h"

#include "Application.h"

#include <stdexcept>

TWindowSearch::TWindowSearch() : FForm(new TfrmQuilletMain(Application)) {
  // As the program handles messages during a search.
  Application->SetMessageInterval(SearchMessageInterval);
  FForm->Show();
  Application->ProcessMessages();
}

double TWindowSearch::Run(const std::string& folders) {
  TfrmQuilletMain& form = *FForm;
  SendMessageA(form.edStartDir->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folders.c_str()));
  SendMessageA(form.edFileMasks->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("*.*"));
  form.IncludeSubFolders->SetChecked(true);
  return SecondsOf([&] {
    if (!form.actFindFind->Execute()) {
      throw std::runtime_error("Find is disabled");
    }
    // The found files are handed to this thread through its message queue, which it
    // serves as the program's main loop does; Find comes back on when the run has ended.
    while (!form.actFindFind->Enabled()) {
      Application->HandleMessage();
    }
  });
}
