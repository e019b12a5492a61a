#include "GrepRecorder.h"

#include "Application.h"

#include <algorithm>

TGrepRecorder::TGrepRecorder(TFileGrep& grep, std::string root)
    : FGrep(&grep), FRoot(std::move(root)) {
  grep.OnDirChange = Bind<&TGrepRecorder::DirChange>(this);
  grep.OnFileChange = Bind<&TGrepRecorder::FileChange>(this);
  grep.OnFound = Bind<&TGrepRecorder::Found>(this);
  grep.OnFinished = Bind<&TGrepRecorder::Finished>(this);
  grep.OnCancel = Bind<&TGrepRecorder::Cancelled>(this);
  grep.OnEnd = Bind<&TGrepRecorder::RunEnded>(this);
  Application->OnException = Bind<&TGrepRecorder::Failed>(this);
}

TGrepRecorder::~TGrepRecorder() {
  if (Application != nullptr) {
    Application->OnException = {};
  }
}

std::string TGrepRecorder::Short(const std::string& path) const {
  if (path.compare(0, FRoot.size(), FRoot) != 0) {
    return path;
  }
  std::string shown = "~";
  shown.append(path, FRoot.size());
  return shown;
}

std::vector<std::string> TGrepRecorder::Trace() const {
  static const char* const names[] = {"dir",    "file", "found",  "finished",
                                      "cancel", "end",  "failure"};
  std::vector<std::string> lines;
  for (const TRecordedEvent& event : Events) {
    if (event.Kind == TGrepEvent::FileChange) {
      continue;
    }
    std::string line = names[static_cast<int>(event.Kind)];
    if (!event.Argument.empty()) {
      line += ' ';
      line += Short(event.Argument);
    }
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> TGrepRecorder::Arguments(TGrepEvent kind) const {
  std::vector<std::string> arguments;
  for (const TRecordedEvent& event : Events) {
    if (event.Kind == kind) {
      arguments.push_back(event.Argument);
    }
  }
  return arguments;
}

std::vector<std::string> TGrepRecorder::Shown(TGrepEvent kind) const {
  std::vector<std::string> shown;
  for (const std::string& argument : Arguments(kind)) {
    shown.push_back(Short(argument));
  }
  return shown;
}

int TGrepRecorder::Count(TGrepEvent kind) const {
  return static_cast<int>(std::count_if(Events.begin(), Events.end(),
                                        [kind](const auto& event) { return event.Kind == kind; }));
}

void TGrepRecorder::Record(TObject* sender, TGrepEvent kind, const std::string& argument) {
  if (sender != FGrep && kind != TGrepEvent::Failure) {
    ++ForeignSenders;
  }
  Events.push_back({kind, argument, GetCurrentThreadId()});
  // A copy, so that the hook may replace itself.
  if (const auto hook = Hook) {
    hook(kind, argument);
  }
}

void TGrepRecorder::DirChange(TObject* sender, const std::string& name) {
  Record(sender, TGrepEvent::DirChange, name);
}
void TGrepRecorder::FileChange(TObject* sender, const std::string& name) {
  Record(sender, TGrepEvent::FileChange, name);
}
void TGrepRecorder::Found(TObject* sender, const std::string& found) {
  Record(sender, TGrepEvent::Found, found);
}
void TGrepRecorder::Finished(TObject* sender) {
  Record(sender, TGrepEvent::Finished, "");
}
void TGrepRecorder::Cancelled(TObject* sender) {
  Record(sender, TGrepEvent::Cancel, "");
}
void TGrepRecorder::RunEnded(TObject* sender) {
  Record(sender, TGrepEvent::End, "");
}
void TGrepRecorder::Failed(TObject* sender, const std::exception& error) {
  Record(sender, TGrepEvent::Failure, error.what());
}
