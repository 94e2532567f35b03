#include "core/key_commands.h"

#include <climits>

namespace core {

namespace {

constexpr std::uintptr_t kVkReturn = 0x0D, kVkCapital = 0x14, kVkConvert = 0x1C,
                         kVkNonConvert = 0x1D, kVkSpace = 0x20, kVkInsert = 0x2D,
                         kVkNumpad0 = 0x60, kVkHiragana = 0xF2;

// Adds without the undefined behaviour of a signed overflow: a cursor pushed
// far enough past the screen wraps around.
std::int32_t Add(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace

const char16_t* const kCommandNames[kCommandCount] = {
    u"左へ移動(低速)",   u"右へ移動(低速)",   u"上へ移動(低速)",
    u"下へ移動(低速)",   u"左へ移動(高速)",   u"右へ移動(高速)",
    u"上へ移動(高速)",   u"下へ移動(高速)",   u"画面中央へ移動",
    u"画面左端へ移動",   u"画面右端へ移動",   u"画面上端へ移動",
    u"画面下端へ移動",   u"画面左上角へ移動", u"画面右上角へ移動",
    u"画面左下角へ移動", u"画面右下角へ移動", u"スタートボタンへ移動",
    u"アクティブなウィンドウへ移動", u"左クリック", u"右クリック",
};

// Ctrl+Alt with the arrows moves slowly, with the keypad's arrow digits
// fast; the keypad's other digits go to the centre and the corners, Ctrl
// alone with its arrow digits to the edges; keypad 0 clicks (Ctrl+Alt left,
// Ctrl right).  Columns: 0 Ctrl, 5 Alt, 9 the key, 10 "N" for the keypad;
// the arrows are ←, →, ↑, ↓.
const char16_t* const kDefaultHotKeys[kCommandCount] = {
    u"C    A   ←", u"C    A   →", u"C    A   ↑", u"C    A   ↓",
    u"C    A   4N", u"C    A   6N", u"C    A   8N", u"C    A   2N",
    u"C    A   5N",
    u"C        4N", u"C        6N", u"C        8N", u"C        2N",
    u"C    A   7N", u"C    A   9N", u"C    A   1N", u"C    A   3N",
    u"C    A   S",  u"C    A   W",
    u"C    A   0N", u"C        0N",
};

bool CommandMatches(const HotKeyEntry& entry, std::uintptr_t wParam, bool ctrl, bool alt) {
  const unsigned char key = entry.Key();
  if (key == 0 || key != wParam) return false;
  if (!ctrl && !alt) return false;
  // Each column must agree with its key: "C" exactly when Ctrl is down, and
  // a space when it is not (likewise "A" for Alt).
  const unsigned char wantCtrl = ctrl ? 'C' : ' ';
  const unsigned char wantAlt = alt ? 'A' : ' ';
  return entry.bytes[HotKeyEntry::kCtrlColumn] == wantCtrl &&
         entry.bytes[HotKeyEntry::kAltColumn] == wantAlt;
}

std::int32_t NextStepCounter(std::int32_t counter, unsigned message) {
  if (!IsKeyDown(message)) return kStepCounterStart;
  return counter == INT32_MAX ? counter : counter + 1;
}

std::int32_t SlowStep(std::int32_t counter) { return counter / 10; }

std::int32_t FastStep(std::int32_t counter) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(SlowStep(counter)) * 10u);
}

Point CommandTarget(int command, Point from, std::int32_t counter, std::int32_t width,
                    std::int32_t height) {
  const std::int32_t slow = SlowStep(counter), fast = FastStep(counter);
  const std::int32_t right = Add(width, -10), bottom = Add(height, -10);
  Point p = from;
  switch (command) {
    case kMoveLeftSlow: p.x = Add(p.x, -slow); break;
    case kMoveRightSlow: p.x = Add(p.x, slow); break;
    case kMoveUpSlow: p.y = Add(p.y, -slow); break;
    case kMoveDownSlow: p.y = Add(p.y, slow); break;
    case kMoveLeftFast: p.x = Add(p.x, -fast); break;
    case kMoveRightFast: p.x = Add(p.x, fast); break;
    case kMoveUpFast: p.y = Add(p.y, -fast); break;
    case kMoveDownFast: p.y = Add(p.y, fast); break;
    case kToCentre: p = {width / 2, height / 2}; break;
    case kToLeftEdge: p.x = 0; break;
    case kToRightEdge: p.x = right; break;
    case kToTopEdge: p.y = 0; break;
    case kToBottomEdge: p.y = bottom; break;
    case kToTopLeft: p = {0, 0}; break;
    case kToTopRight: p = {right, 0}; break;
    case kToBottomLeft: p = {0, bottom}; break;
    case kToBottomRight: p = {right, bottom}; break;
    default: break;
  }
  return p;
}

bool OutsideRect(Point p, std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) {
  // The products of the differences, in 64 bits: positive only when the
  // point lies beyond both ends, on one side.
  const std::int64_t horizontal =
      (std::int64_t{p.x} - left) * (std::int64_t{p.x} - right);
  const std::int64_t vertical = (std::int64_t{p.y} - top) * (std::int64_t{p.y} - bottom);
  return horizontal > 0 || vertical > 0;
}

std::int32_t AbsoluteCoordinate(std::int32_t position, std::int32_t extent) {
  if (extent <= 1) return 0;
  const double value = position / static_cast<double>(extent - 1) * 65535.0;
  if (value >= static_cast<double>(INT32_MAX)) return INT32_MAX;
  if (value <= static_cast<double>(INT32_MIN)) return INT32_MIN;
  return static_cast<std::int32_t>(value);  // toward zero
}

KeyOptionEffect ApplyKeyOptions(unsigned message, std::uintptr_t wParam,
                                const bool (&flags)[kKeyOptionCount]) {
  KeyOptionEffect effect;
  if (message == kWmKeyDown) {
    if ((wParam == kVkInsert && flags[kNoInsertKey]) ||
        (wParam == kVkCapital && flags[kNoCapsKey])) {
      effect.then = KeyOptionEffect::kStop;
      effect.wParam = kSilencedKey;
    } else if ((wParam == kVkConvert || wParam == kVkNonConvert) && flags[kSpaceExKey]) {
      effect.then = KeyOptionEffect::kSpace;
      effect.wParam = kVkSpace;
    } else if (wParam == kVkHiragana && flags[kSpaceExKey]) {
      effect.then = KeyOptionEffect::kStop;
      effect.wParam = kVkSpace;
    }
  } else if (message == kWmSysKeyDown) {
    if ((wParam == kVkNumpad0 && flags[kCommaExKey]) ||
        (wParam == kVkReturn && flags[kEqualExKey])) {
      effect.then = KeyOptionEffect::kStop;
      effect.wParam = kSilencedKey;
      effect.postChar = wParam == kVkNumpad0 ? ',' : '=';
    }
  }
  return effect;
}

}  // namespace core
