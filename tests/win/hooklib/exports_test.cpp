// QOV32.dll as its callers see it: loaded from the build, its exports found
// by name and by ordinal, its desktop hook acting on the stand-in shell.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <random>
#include <string>

#include "hooklib/qov32_loaded.h"
#include "support/testsupport.h"
#include "tools/shell_standin.h"

using namespace qovtest;

namespace {

const char kDesktopKey[] = "Software\\QovSoft\\QovDesktop\\Setting";

void SetDesktopIcon(const std::string& text) {
  SetRaw(kDesktopKey, "Desktop icon", REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

TEST(Qov32Exports, NamesAndOrdinalsNameTheSameFunctions) {
  Qov32& dll = Qov32::Get();
  ASSERT_NE(dll.module, nullptr);
  const struct {
    WORD ordinal;
    const char* name;
  } exports[] = {{2, "GetMsgProc"},     {3, "MouseProc"},      {4, "SetHookMessage"},
                 {5, "UnSetHookMessage"}, {6, "SetHookMouse"}, {7, "UnSetHookMouse"},
                 {9, "SetHookDesktop"}, {10, "UnSetHookDesktop"}};
  for (const auto& e : exports) {
    FARPROC byName = GetProcAddress(dll.module, e.name);
    EXPECT_NE(byName, nullptr) << e.name;
    EXPECT_EQ(GetProcAddress(dll.module, MAKEINTRESOURCEA(e.ordinal)), byName) << e.name;
  }
  EXPECT_EQ(GetProcAddress(dll.module, MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_EQ(GetProcAddress(dll.module, MAKEINTRESOURCEA(8)), nullptr);
}

TEST(Qov32Exports, MessageAndMouseHooksInstallOnceUntilRemoved) {
  Qov32& dll = Qov32::Get();
  AppKeyGuard mouseKeys("QovMouse");
  HHOOK message = dll.SetHookMessage(0);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(dll.SetHookMessage(12345), message);
  EXPECT_TRUE(dll.UnSetHookMessage());
  EXPECT_FALSE(dll.UnSetHookMessage());  // nothing left to remove
  HHOOK again = dll.SetHookMessage(0);
  EXPECT_NE(again, nullptr);
  EXPECT_TRUE(dll.UnSetHookMessage());

  HHOOK mouse = dll.SetHookMouse(0);
  ASSERT_NE(mouse, nullptr);
  EXPECT_EQ(dll.SetHookMouse(1), mouse);
  EXPECT_TRUE(dll.UnSetHookMouse());
  EXPECT_FALSE(dll.UnSetHookMouse());
  EXPECT_NE(dll.SetHookMouse(0), nullptr);  // a new installation...
  EXPECT_TRUE(dll.UnSetHookMouse());        // ...that really was installed
}

TEST(Qov32Exports, SetHookDesktopNeedsAThreadThatExists) {
  Qov32& dll = Qov32::Get();
  EXPECT_FALSE(dll.SetHookDesktop(0));
  EXPECT_FALSE(dll.UnSetHookDesktop());
  EXPECT_FALSE(dll.SetHookDesktop(0xFFFFFFF0u));
  EXPECT_FALSE(dll.UnSetHookDesktop());
}

class DesktopHook : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_shell.Started()); }
  void TearDown() override { m_dll.UnSetHookDesktop(); }

  Qov32& m_dll = Qov32::Get();
  AppKeyGuard m_key{"QovDesktop"};
  ShellStandIn m_shell;
};

TEST_F(DesktopHook, LargeAndSmallSetOnlyTheViewBitsFromAnyView) {
  const DWORD others = WS_CHILD | WS_VISIBLE | LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_NOSCROLL;
  for (DWORD from : {LVS_ICON, LVS_REPORT, LVS_SMALLICON, LVS_LIST}) {
    for (const char* value : {"Large", "Small"}) {
      SCOPED_TRACE(std::string(value) + " from view " + std::to_string(from));
      m_dll.UnSetHookDesktop();
      m_shell.SetStyle(others | from);
      SetDesktopIcon(value);
      // Installing makes the thread run the hook at once.
      ASSERT_TRUE(m_dll.SetHookDesktop(m_shell.DesktopThread()));
      const DWORD view = value[0] == 'L' ? LVS_ICON : LVS_SMALLICON;
      EXPECT_TRUE(WaitUntil([&] { return m_shell.View() == view; }));
      EXPECT_EQ(m_shell.Style() & ~LVS_TYPEMASK, others);
    }
  }
}

TEST_F(DesktopHook, OtherTextsAndAMissingValueChangeNothing) {
  ASSERT_TRUE(m_dll.SetHookDesktop(m_shell.DesktopThread()));
  for (DWORD from : {LVS_REPORT, LVS_LIST}) {
    m_shell.SetStyle(WS_CHILD | WS_VISIBLE | from);
    for (const char* value : {"large", "small", "", " Large", "Medium", static_cast<const char*>(nullptr)}) {
      if (value) {
        SetDesktopIcon(value);
      } else {
        DeleteAppKey("QovDesktop");
      }
      ASSERT_TRUE(m_shell.PostAndWait());
      EXPECT_EQ(m_shell.View(), from) << (value ? value : "(missing)");
    }
  }
}

TEST_F(DesktopHook, TheValueTakesEffectAtTheThreadsNextMessage) {
  SetDesktopIcon("Large");
  ASSERT_TRUE(m_dll.SetHookDesktop(m_shell.DesktopThread()));
  ASSERT_TRUE(WaitUntil([&] { return m_shell.View() == LVS_ICON; }));
  SetDesktopIcon("Small");
  ASSERT_TRUE(m_shell.PostAndWait());
  EXPECT_EQ(m_shell.View(), static_cast<DWORD>(LVS_SMALLICON));
  // A view someone else set is set back at the next message...
  m_shell.SetStyle(WS_CHILD | WS_VISIBLE | LVS_REPORT);
  ASSERT_TRUE(m_shell.PostAndWait());
  EXPECT_EQ(m_shell.View(), static_cast<DWORD>(LVS_SMALLICON));
  // ...but a view that is right is not written again.
  const LRESULT changes = m_shell.Ask(shellstandin::kQueryStyleChanges);
  ASSERT_TRUE(m_shell.PostAndWait(50));
  EXPECT_EQ(m_shell.Ask(shellstandin::kQueryStyleChanges), changes);
}

TEST_F(DesktopHook, PassesMessagesOnToTheThreadsOtherHooks) {
  SetDesktopIcon("Small");
  ASSERT_TRUE(m_dll.SetHookDesktop(m_shell.DesktopThread()));
  const LRESULT seen = m_shell.Ask(shellstandin::kQueryChainedMessages);
  ASSERT_TRUE(m_shell.PostAndWait(20));
  EXPECT_GE(m_shell.Ask(shellstandin::kQueryChainedMessages), seen + 20);
}

TEST_F(DesktopHook, ANewInstallationReplacesTheLastAndRemovingEndsIt) {
  SetDesktopIcon("Small");
  ASSERT_TRUE(m_dll.SetHookDesktop(m_shell.DesktopThread()));
  ASSERT_TRUE(m_dll.SetHookDesktop(m_shell.DesktopThread()));
  ASSERT_TRUE(WaitUntil([&] { return m_shell.View() == LVS_SMALLICON; }));
  // One removal leaves no hook behind.
  EXPECT_TRUE(m_dll.UnSetHookDesktop());
  SetDesktopIcon("Large");
  ASSERT_TRUE(m_shell.PostAndWait(5));
  EXPECT_EQ(m_shell.View(), static_cast<DWORD>(LVS_SMALLICON));
  EXPECT_FALSE(m_dll.UnSetHookDesktop());
  // A failed installation keeps the working one.
  ASSERT_TRUE(m_dll.SetHookDesktop(m_shell.DesktopThread()));
  EXPECT_FALSE(m_dll.SetHookDesktop(0xFFFFFFF0u));
  EXPECT_TRUE(WaitUntil([&] { return m_shell.View() == LVS_ICON; }));
  EXPECT_TRUE(m_dll.UnSetHookDesktop());
}

TEST_F(DesktopHook, SurvivesFuzzedValuesWithoutLeakingHandlesInTheShell) {
  const unsigned seed = GetTickCount();
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  SetDesktopIcon("Small");
  ASSERT_TRUE(m_dll.SetHookDesktop(m_shell.DesktopThread()));
  ASSERT_TRUE(m_shell.PostAndWait(100));
  const int before = OpenHandles(m_shell.Proc().Handle());

  static const DWORD kTypes[] = {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY,
                                 REG_DWORD, REG_MULTI_SZ, REG_QWORD, 0x7FFF};
  const int kMessages = 10000, kPerValue = 40;
  for (int sent = 0; sent < kMessages; sent += kPerValue) {
    const unsigned pick = random() % 8;
    if (pick == 0) {
      DeleteAppKey("QovDesktop");
    } else {
      std::string data(pick == 1 ? random() % 5000 : random() % 40, '\0');
      for (char& c : data) c = random() % 3 ? static_cast<char>(random()) : "LS\0"[random() % 3];
      SetRaw(kDesktopKey, "Desktop icon", kTypes[random() % 8], data.data(),
             static_cast<DWORD>(data.size()));
    }
    ASSERT_TRUE(m_shell.PostAndWait(kPerValue)) << sent;
  }
  EXPECT_LE(OpenHandles(m_shell.Proc().Handle()), before);
  // Still at work after all that.
  SetDesktopIcon("Small");
  m_shell.SetStyle(WS_CHILD | WS_VISIBLE | LVS_LIST);
  ASSERT_TRUE(m_shell.PostAndWait());
  EXPECT_EQ(m_shell.View(), static_cast<DWORD>(LVS_SMALLICON));
}

}  // namespace
