// QovMouse: the keyboard-mouse controller.  It installs QOV32's keyboard
// command hook and mouse position hook for as long as it runs, with a hidden
// main window reached through its taskbar button's system menu.
#pragma once
#include "fw/app.h"
#include "fw/dialog.h"
#include "mouse/resource.h"

class CQovMouseDialog : public fw::CDialog {
 public:
  enum { IDD = IDD_QOVMOUSE_DIALOG };
  CQovMouseDialog() : fw::CDialog(IDD) {}
  // Removes the hooks while its handlers still can.
  ~CQovMouseDialog() override { DestroyWindow(); }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  BOOL OnInitDialog() override;

 private:
  void KeepHidden();
  void BuildSystemMenu();
  // The host of the library of the other bitness ("x86\QovHookHost.exe"
  // beside the program, in the 64-bit package): started with the hooks,
  // ended with them.
  void StartHookHost();
  void EndHookHost();

  HICON m_hIcon = nullptr;
  HICON m_hSmallIcon = nullptr;
  HANDLE m_hHostEnd = nullptr;  // set to end the host
  HANDLE m_hHost = nullptr;     // its process
};

class CQovMouseApp : public fw::CApp {
 protected:
  BOOL InitInstance() override;
};

// Writes the default "Hot key" values under HKCU\Software\QovSoft\QovMouse
// when that key does not exist yet, or completes a set whose writing a
// failed start left unfinished (the values in it are kept); a user's own set
// is never touched.  True when a whole default set was written.
bool WriteDefaultHotKeys();
