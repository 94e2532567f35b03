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

  HICON m_hIcon = nullptr;
  HICON m_hSmallIcon = nullptr;
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
