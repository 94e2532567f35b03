// The view from the keyboard: the hot keys' commands, and what the start
// has to say of them.
#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "app/settings_names.h"
#include "core/viewkeys.h"
#include "fw/display.h"
#include "fw/lang.h"
#include "fw/sysfunc.h"
#include "vscreen/Gather.h"
#include "vscreen/Pins.h"
#include "vscreen/ViewWindows.h"

void CQovDesktopDialog::StartViewKeys() {
  const std::wstring pinned = QovApp()->ReadWideSetting(settings::kSetting, settings::kPinnedPrograms);
  pins::SetPrograms(core::SplitProgramNames(std::u16string(pinned.begin(), pinned.end())));
  BringPinnedOntoScreen(m_wndHorizontalBar, m_wndVerticalBar);
  m_nTakenViewKeys = m_viewKeys.Register(m_hWnd, *QovApp());
}

void CQovDesktopDialog::NoticeTakenKeys() {
  // Said once for each registration: which keys another program holds.
  if (m_nTakenViewKeys == 0) return;
  std::string text = fw::UiString(IDS_KEYS_TAKEN_NOTICE);
  for (int c = 0; c < core::kViewKeyCount; ++c)
    if (m_viewKeys.Taken(c)) text += "\n" + fw::UiString(IDS_VIEWKEY_NAME_FIRST + c);
  MessageBoxA(m_hWnd, text.c_str(), fw::UiString(IDS_APP_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
}

void CQovDesktopDialog::OnStartNotices() {
  NoticeTakenKeys();
  // The 32-bit package on 64-bit Windows reaches only 32-bit programs: said
  // once, then never again.
  const auto isWow64 =
      fw::SystemFunction<BOOL WINAPI(HANDLE, PBOOL)>("kernel32.dll", "IsWow64Process");
  BOOL wow64 = FALSE;
  CQovDesktopApp* app = QovApp();
  if (!isWow64 || !isWow64(GetCurrentProcess(), &wow64) || !wow64 ||
      app->ReadIntSetting(settings::kSetting, settings::kToldWow64, 0) != 0)
    return;
  app->WriteIntSetting(settings::kSetting, settings::kToldWow64, 1);
  MessageBoxA(m_hWnd, fw::UiString(IDS_WOW64_NOTICE).c_str(), fw::UiString(IDS_APP_TITLE).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

void CQovDesktopDialog::OnViewKey(int command) {
  // A key pages the view as a page click on a bar does.
  switch (command) {
    case core::kViewKeyLeft:
      m_wndHorizontalBar.HandleScroll(SB_PAGELEFT, 0);
      break;
    case core::kViewKeyRight:
      m_wndHorizontalBar.HandleScroll(SB_PAGERIGHT, 0);
      break;
    case core::kViewKeyUp:
      m_wndVerticalBar.HandleScroll(SB_PAGEUP, 0);
      break;
    case core::kViewKeyDown:
      m_wndVerticalBar.HandleScroll(SB_PAGEDOWN, 0);
      break;
    case core::kViewKeyHome:
      BringViewHome();
      break;
    case core::kViewKeyOverview:
      m_overview.Open(this);
      break;
    case core::kViewKeyPin: {
      HWND active = GetForegroundWindow();
      if (CViewWindows().OfTheView(active)) TogglePin(active, m_wndHorizontalBar, m_wndVerticalBar);
      break;
    }
    default:
      break;
  }
}
