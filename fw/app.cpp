#include "fw/app.h"

#include <shellapi.h>

#include <vector>

#include "core/appname.h"
#include "fw/wnd.h"

namespace fw {

CApp* CApp::s_pApp = nullptr;

CApp::CApp() { s_pApp = this; }

CApp::~CApp() {
  if (s_pApp == this) s_pApp = nullptr;
}

namespace {

// The module's full path, however long.
std::string ModuleFileName(HINSTANCE instance) {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD got = GetModuleFileNameA(instance, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (got == 0) return std::string();
    if (got < buffer.size()) return std::string(buffer.data(), got);
    if (buffer.size() >= 32768) return std::string(buffer.data(), got);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::wstring ModulePathW(HINSTANCE instance) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD got = GetModuleFileNameW(instance, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (got == 0) return std::wstring();
    if (got < buffer.size()) return std::wstring(buffer.data(), got);
    if (buffer.size() >= 32768) return std::wstring();  // cut short: no path
    buffer.resize(buffer.size() * 2);
  }
}

void CApp::Attach(HINSTANCE instance) {
  m_hInstance = instance;
  m_strModulePath = ModuleFileName(instance);
  m_strAppName = core::ApplicationNameFromPath(m_strModulePath);
  m_strHelpFilePath = core::ReplaceExtension(m_strModulePath, ".HLP");
  m_profile.SetKey(m_profile.Company(), m_strAppName);
}

int CApp::Run(HINSTANCE instance) {
  Attach(instance);
  if (!InitInstance()) return ExitInstance();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return ExitInstance();
}

bool CApp::OnCommand(UINT /*id*/) { return false; }

void CApp::ShowHelp(const std::string& readMe) {
  const DWORD help = GetFileAttributesA(m_strHelpFilePath.c_str());
  OSVERSIONINFOA version = {sizeof(version)};
  const bool windowsHelp = GetVersionExA(&version) && version.dwMajorVersion < 6;
  if (windowsHelp && help != INVALID_FILE_ATTRIBUTES && !(help & FILE_ATTRIBUTE_DIRECTORY)) {
    WinHelp(0, HELP_FINDER);
    return;
  }
  // The folder in UTF-16, where no byte of a Japanese name passes for a
  // backslash.
  std::wstring directory = ModulePathW(m_hInstance);
  if (directory.empty()) return;
  const std::wstring::size_type slash = directory.find_last_of(L"\\/");
  directory.erase(slash == std::wstring::npos ? 0 : slash);
  WCHAR name[MAX_PATH] = L"";
  if (MultiByteToWideChar(CP_ACP, 0, readMe.c_str(), -1, name, MAX_PATH) <= 0) return;
  const std::wstring file = directory.empty() ? name : directory + L"\\" + name;
  HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  ShellExecuteW(owner, L"open", file.c_str(), nullptr,
                directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL);
}

void CApp::WinHelp(ULONG_PTR data, UINT command) {
  HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  ::WinHelpA(owner, m_strHelpFilePath.c_str(), command, data);
}

}  // namespace fw
