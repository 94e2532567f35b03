#include "hooklib/state.h"

namespace qov32 {

#if defined(_MSC_VER)
#pragma data_seg(".shared")
StateBlock g_state = {nullptr, nullptr, nullptr, nullptr, kInitialStepCounter};
#pragma data_seg()
#else
__attribute__((section(".shared")))
StateBlock g_state = {nullptr, nullptr, nullptr, nullptr, kInitialStepCounter};
#endif

const char* const kKeyOptionNames[kKeyOptionCount] = {
    "No insert key", "No caps key", "CommaEx key", "EqualEx key", "SpaceEx key",
};

std::int32_t g_screenWidth, g_screenHeight;
HWND g_windowUnderCursor;
std::int32_t g_cursorX, g_cursorY;

}  // namespace qov32
