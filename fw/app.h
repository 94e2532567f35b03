// The application object: instance, name, settings key, main window, help.
#pragma once
#include <windows.h>

#include <string>

#include "fw/registry.h"

namespace fw {

class CWnd;

// A module's full path in UTF-16, which holds every character of it,
// however long; empty when Windows does not tell it.
std::wstring ModulePathW(HINSTANCE instance);

// Exactly one object of a class derived from CApp exists in a program; it
// makes itself the current application when constructed.
class CApp {
 public:
  CApp();
  virtual ~CApp();
  CApp(const CApp&) = delete;
  CApp& operator=(const CApp&) = delete;

  static CApp* Get() { return s_pApp; }

  // Takes the instance and derives the names from its module file, then runs
  // InitInstance and, if that returns TRUE, a message loop.
  int Run(HINSTANCE instance);

  HINSTANCE Instance() const { return m_hInstance; }
  // The program file's name without directory and extension.
  const std::string& AppName() const { return m_strAppName; }
  const std::string& ModulePath() const { return m_strModulePath; }
  // The program's path with the extension ".HLP".
  const std::string& HelpFilePath() const { return m_strHelpFilePath; }

  // Settings then live under HKCU\Software\<company>\<application name>.
  void SetRegistryKey(const char* company) { m_profile.SetKey(company, m_strAppName); }
  const CRegistryProfile& Profile() const { return m_profile; }

  CWnd* MainWnd() const { return m_pMainWnd; }
  void SetMainWnd(CWnd* wnd) { m_pMainWnd = wnd; }

  // Commands no window took; true when handled.
  virtual bool OnCommand(UINT id);
  // Asks Windows Help for the program's help file.
  void WinHelp(ULONG_PTR data, UINT command);
  // Shows the program's help: Windows Help with the help file where there
  // are both, else the file `readMe` beside the program in the viewer
  // Windows has for it.  Windows Help is not part of Windows from Vista on.
  void ShowHelp(const std::string& readMe);

  // Sets the instance and names without running anything, for programs
  // that host the application's windows themselves (the tests).
  void Attach(HINSTANCE instance);

 protected:
  virtual BOOL InitInstance() { return FALSE; }
  virtual int ExitInstance() { return m_nExitCode; }

  int m_nExitCode = 0;

 private:
  static CApp* s_pApp;

  HINSTANCE m_hInstance = nullptr;
  std::string m_strModulePath;
  std::string m_strAppName;
  std::string m_strHelpFilePath;
  CRegistryProfile m_profile;
  CWnd* m_pMainWnd = nullptr;
};

}  // namespace fw
