#pragma once

namespace host {

// Virtual-key codes, the numbers the game's key handlers work with.
namespace vk {
constexpr int Back = 8, Tab = 9, Clear = 12, Return = 13, Shift = 16, Control = 17, Menu = 18,
              Pause = 19, Capital = 20, Escape = 27, Space = 32, Prior = 33, Next = 34, End = 35,
              Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, Insert = 45, Delete = 46,
              LWin = 91, RWin = 92, Apps = 93, Numpad0 = 96, Multiply = 106, Add = 107,
              Subtract = 109, Decimal = 110, Divide = 111, F1 = 112, NumLock = 144, Scroll = 145;
// clang-format off
constexpr int Numpad(int digit) { return Numpad0 + digit; }
constexpr int Function(int n) { return F1 + n - 1; }  // F1..F24
constexpr int Letter(char upper) { return upper; }    // 'A'..'Z' are 65..90
constexpr int Digit(char d) { return d; }             // '0'..'9' are 48..57
// clang-format on
}  // namespace vk

// Modifier state bits handed to key and mouse handlers.
constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

}  // namespace host
