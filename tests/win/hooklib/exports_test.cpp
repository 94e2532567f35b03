// QOV32.dll's exports as its callers use them: each hook installed once until
// removed.  Its export table itself is checked on the binaries.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "hooklib/qov32_loaded.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

TEST(Qov32Exports, EachHookInstallsOnceUntilRemoved) {
  const Qov32& dll = Qov32::Get();
  AppKeyGuard keys("QovMouse");
  for (const std::string set : {"SetHookMessage", "SetHookMouse"}) {
    const HHOOK hook = dll.Call<HHOOK>(set.c_str(), DWORD{0});
    ASSERT_NE(hook, nullptr) << set;
    EXPECT_EQ(dll.Call<HHOOK>(set.c_str(), DWORD{1}), hook) << set;
    EXPECT_TRUE(dll.Call<BOOL>(("Un" + set).c_str())) << set;
    EXPECT_FALSE(dll.Call<BOOL>(("Un" + set).c_str())) << set;  // nothing left to remove
  }
  // The desktop hook needs a thread that exists; a failed installation keeps the last one.
  EXPECT_FALSE(dll.Call<BOOL>("SetHookDesktop", DWORD{0}));
  ASSERT_TRUE(dll.Call<BOOL>("SetHookDesktop", GetCurrentThreadId()));
  EXPECT_FALSE(dll.Call<BOOL>("SetHookDesktop", DWORD{0xFFFFFFF0u}));
  EXPECT_TRUE(dll.Call<BOOL>("UnSetHookDesktop"));
  EXPECT_FALSE(dll.Call<BOOL>("UnSetHookDesktop"));
}

}  // namespace
