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

const char* const kCommandNames[kCommandCount] = {
    "左へ移動(低速)",   "右へ移動(低速)",   "上へ移動(低速)",
    "下へ移動(低速)",   "左へ移動(高速)",   "右へ移動(高速)",
    "上へ移動(高速)",   "下へ移動(高速)",   "画面中央へ移動",
    "画面左端へ移動",   "画面右端へ移動",   "画面上端へ移動",
    "画面下端へ移動",   "画面左上角へ移動", "画面右上角へ移動",
    "画面左下角へ移動", "画面右下角へ移動", "スタートボタンへ移動",
    "アクティブなウィンドウへ移動", "左クリック", "右クリック",
};

const char* const kKeyOptionNames[kKeyOptionCount] = {
    "No insert key", "No caps key", "CommaEx key", "EqualEx key", "SpaceEx key",
};

core::HotKeyEntry g_hotKeys[kCommandCount];
BOOL g_keyOptions[kKeyOptionCount];
std::int32_t g_screenWidth, g_screenHeight;
HWND g_windowUnderCursor;
std::int32_t g_cursorX, g_cursorY;

}  // namespace qov32
