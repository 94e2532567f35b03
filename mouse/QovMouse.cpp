#include "mouse/QovMouse.h"

#include "core/closefilter.h"
#include "core/key_commands.h"
#include "fw/lang.h"
#include "fw/registry.h"
#include "hooklib/qov32.h"

namespace {

// Where QOV32.dll reads its settings, whatever this program's file is named.
const char kMousePath[] = "Software\\QovSoft\\QovMouse";
const char kHotKeyPath[] = "Software\\QovSoft\\QovMouse\\Hot key";
// Set on the QovMouse key before the "Hot key" key is made and removed once
// every default value is in it: a start that finds it finishes the set.
const char kWritingMark[] = "Writing default keys";

HICON LoadProgramIcon(int size) {
  return static_cast<HICON>(LoadImageA(fw::CApp::Get()->Instance(),
                                       MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size,
                                       LR_SHARED));
}

}  // namespace

bool WriteDefaultHotKeys() {
  fw::CRegKey mouse, key;
  if (mouse.Create(HKEY_CURRENT_USER, kMousePath, KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS)
    return false;
  const bool unfinished = mouse.HasValue(kWritingMark);
  // A "Hot key" key without the mark is the user's own set, whole or not.
  if (!unfinished && key.Open(HKEY_CURRENT_USER, kHotKeyPath, KEY_QUERY_VALUE) == ERROR_SUCCESS)
    return false;
  key.Close();
  if (!unfinished && !mouse.SetInt(kWritingMark, 1)) return false;
  if (key.Create(HKEY_CURRENT_USER, kHotKeyPath, KEY_QUERY_VALUE | KEY_SET_VALUE) != ERROR_SUCCESS)
    return false;
  bool written = true;
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 code units");
  for (int i = 0; i < core::kCommandCount; ++i) {
    const auto* name = reinterpret_cast<const wchar_t*>(core::kCommandNames[i]);
    if (key.HasValue(name)) continue;  // in before a failed start
    written = key.SetString(name, reinterpret_cast<const wchar_t*>(core::kDefaultHotKeys[i])) &&
              written;
  }
  if (written) written = mouse.DeleteValue(kWritingMark);
  return written;
}

BOOL CQovMouseDialog::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  KeepHidden();
  m_hIcon = LoadProgramIcon(GetSystemMetrics(SM_CXICON));
  m_hSmallIcon = LoadProgramIcon(GetSystemMetrics(SM_CXSMICON));
  SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
  BuildSystemMenu();

  WriteDefaultHotKeys();
  // The library reads the settings when it installs the hook, and in every
  // process it is mapped into again at the first key-down after they change.
  SetHookMessage(0);
  SetHookMouse(0);
  StartHookHost();
  return TRUE;
}

void CQovMouseDialog::StartHookHost() {
  char path[MAX_PATH + 32] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* name = path + length;
  while (name > path && name[-1] != '\\') --name;
  if (length == 0 || length >= MAX_PATH) return;
  lstrcpynA(name, "x86\\QovHookHost.exe", static_cast<int>(sizeof(path) - (name - path)));
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return;
  // The host inherits only this event, and ends when it is set or when this
  // process has ended, killed or not.
  SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
  m_hHostEnd = CreateEventA(&inherited, TRUE, FALSE, nullptr);
  if (!m_hHostEnd) return;
  char commandLine[MAX_PATH + 80];
  wsprintfA(commandLine, "\"%s\" %lu %lu", path,
            static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(m_hHostEnd)),
            GetCurrentProcessId());
  // It runs in its own folder: it keeps no other folder in use, and the
  // loader, which looks in the current folder too, never finds a library of
  // the other bitness in whatever folder this program was started from.
  char folder[MAX_PATH + 32];
  lstrcpynA(folder, path, static_cast<int>(sizeof(folder)));
  folder[name - path + 3] = '\0';  // "...\x86"
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (CreateProcessA(path, commandLine, nullptr, nullptr, TRUE, 0, nullptr, folder, &startup,
                     &process)) {
    CloseHandle(process.hThread);
    m_hHost = process.hProcess;
  }
}

void CQovMouseDialog::EndHookHost() {
  if (m_hHostEnd) SetEvent(m_hHostEnd);
  // It removes its hooks before it ends; a host that hangs does not keep
  // this program from ending.
  if (m_hHost) WaitForSingleObject(m_hHost, 2000);
  for (HANDLE* handle : {&m_hHost, &m_hHostEnd}) {
    if (*handle) CloseHandle(*handle);
    *handle = nullptr;
  }
}

void CQovMouseDialog::KeepHidden() {
  // Above the top edge of the screen, with no visible area.  A move that
  // changes nothing sends no WM_SIZE, so this does not recurse.
  MoveWindow(m_hWnd, 0, -200, 100, -100, TRUE);
}

void CQovMouseDialog::BuildSystemMenu() {
  HMENU system = GetSystemMenu(m_hWnd, FALSE);
  if (!system) return;
  // Only "Close" stays, renamed to say what it ends.
  for (int position = GetMenuItemCount(system) - 1; position >= 0; --position) {
    if (GetMenuItemID(system, position) != SC_CLOSE) DeleteMenu(system, position, MF_BYPOSITION);
  }
  ModifyMenuA(system, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE,
              fw::UiString(IDS_EXIT).c_str());
}

bool CQovMouseDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SIZE:
      KeepHidden();
      return false;
    case WM_DESTROY:
      // Every process stops acting on the keys at its next message.
      UnSetHookMessage();
      UnSetHookMouse();
      EndHookHost();
      return false;
    default:
      return fw::CDialog::OnMessage(message, wParam, lParam, result);
  }
}

BOOL CQovMouseApp::InitInstance() {
  SetRegistryKey("QovSoft");
  // The main window's class of its own, by which QovDesktop's close commands
  // know it: a dialog class with the dialog manager's window procedure.
  WNDCLASSA dialogClass = {};
  dialogClass.lpfnWndProc = DefDlgProcA;
  dialogClass.cbWndExtra = DLGWINDOWEXTRA;
  dialogClass.hInstance = Instance();
  dialogClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  dialogClass.lpszClassName = core::kControllerWindowClass;
  RegisterClassA(&dialogClass);
  CQovMouseDialog dialog;
  SetMainWnd(&dialog);
  dialog.DoModal();
  SetMainWnd(nullptr);
  return FALSE;  // the dialog was the program's whole life
}
