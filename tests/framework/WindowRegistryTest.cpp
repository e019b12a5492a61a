#include "ErrorReports.h"

#include "Application.h"
#include "ComboBox.h"
#include "Edit.h"
#include "Panel.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// Another subclass put in front of ours after the control was made, as a tool may do.
WNDPROC OursBehindTheOuter = nullptr;
int OuterMessages = 0;
LRESULT CALLBACK OuterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++OuterMessages;
  return CallWindowProcA(OursBehindTheOuter, window, message, wParam, lParam);
}

TEST(WindowRegistryTest, ObjectsAndWindowsMayGoInEitherOrder) {
  TApplication application;
  TPanel panel(nullptr, nullptr);
  auto* combo = new TComboBox(nullptr, panel.Handle());
  const HWND comboWindow = combo->Handle();
  const HWND part = FindWindowExA(comboWindow, nullptr, "Edit", nullptr);
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(TWinControl::FromHandle(panel.Handle()), &panel);
  EXPECT_EQ(TWinControl::FromHandle(comboWindow), combo);
  EXPECT_EQ(TWinControl::FromHandle(part), nullptr); // served by the combo box, not one itself
  EXPECT_EQ(TWinControl::FromHandle(GetDesktopWindow()), nullptr);

  // The windows go first: the objects live on without them.
  const HWND panelWindow = panel.Handle();
  DestroyWindow(panelWindow);
  EXPECT_EQ(panel.Handle(), nullptr);
  EXPECT_EQ(combo->Handle(), nullptr);
  EXPECT_EQ(TWindowRegistry::TargetOf(comboWindow), nullptr);
  EXPECT_EQ(TWindowRegistry::TargetOf(part), nullptr);
  delete combo;

  // The object goes first and takes its window along, also when another subclass stands in
  // front of ours: that one keeps being served to the window's end.
  TPanel other(nullptr, nullptr);
  auto* edit = new TEdit(nullptr, other.Handle());
  const HWND editWindow = edit->Handle();
  OursBehindTheOuter = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(editWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
  SendMessageA(editWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kept"));
  EXPECT_EQ(edit->Text(), "kept");
  OuterMessages = 0;
  delete edit;
  EXPECT_FALSE(IsWindow(editWindow));
  EXPECT_GT(OuterMessages, 0);
  EXPECT_EQ(TWindowRegistry::TargetOf(editWindow), nullptr);
}

TEST(WindowRegistryTest, AHandlersErrorIsReportedAndTheMessageAnswered) {
  TApplication application;
  TErrorListener listener;
  application.OnException = Bind<&TErrorListener::Heard>(&listener);
  TPanel panel(nullptr, nullptr);
  struct TFailing : TObject {
    void KeyDown(TObject*, WORD&, TShiftState) { throw std::runtime_error("Key failed"); }
  } failing;
  TEdit edit(nullptr, panel.Handle());
  edit.OnKeyDown = Bind<&TFailing::KeyDown>(&failing);

  EXPECT_EQ(SendMessageA(edit.Handle(), WM_KEYDOWN, 'A', 0), 0);
  EXPECT_EQ(listener.Messages, std::vector<std::string>{"Key failed"});
  // The control goes on serving its window.
  edit.SetText("after");
  EXPECT_EQ(edit.Text(), "after");
}

// A class the system refuses (its name is longer than an atom may be) is an error, not a
// window that silently never appears.
TEST(WindowRegistryTest, AClassTheSystemRefusesIsReported) {
  const std::string name(300, 'Q');
  EXPECT_THROW(TWindowRegistry::RegisterWindowClass(name.c_str(), 0, nullptr, nullptr),
               std::runtime_error);
}

} // namespace
