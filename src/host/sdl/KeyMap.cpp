#include "host/sdl/KeyMap.h"

#include "host/Keys.h"

namespace host::sdl {
namespace {

// USB HID keyboard usages.
constexpr int kUsbA = 4, kUsbZ = 29, kUsb1 = 30, kUsb9 = 38, kUsb0 = 39, kUsbF1 = 58, kUsbF12 = 69,
              kUsbF13 = 104, kUsbF24 = 115, kUsbKeypad1 = 89, kUsbKeypad0 = 98,
              kUsbKeypadPoint = 99;

struct Pair {
  int usb;
  int vk;
};

// Keys whose code does not depend on NumLock.
constexpr Pair kFixed[] = {
    {40, vk::Return},  {41, vk::Escape},  {42, vk::Back},     {43, vk::Tab},      {44, vk::Space},
    {45, 189},         {46, 187},         {47, 219},          {48, 221},          {49, 220},
    {51, 186},         {52, 222},         {53, 192},          {54, 188},          {55, 190},
    {56, 191},         {57, vk::Capital}, {70, 44},           {71, vk::Scroll},   {72, vk::Pause},
    {73, vk::Insert},  {74, vk::Home},    {75, vk::Prior},    {76, vk::Delete},   {77, vk::End},
    {78, vk::Next},    {79, vk::Right},   {80, vk::Left},     {81, vk::Down},     {82, vk::Up},
    {83, vk::NumLock}, {84, vk::Divide},  {85, vk::Multiply}, {86, vk::Subtract}, {87, vk::Add},
    {88, vk::Return},  {100, 226},        {101, vk::Apps},    {224, vk::Control}, {225, vk::Shift},
    {226, vk::Menu},   {227, vk::LWin},   {228, vk::Control}, {229, vk::Shift},   {230, vk::Menu},
    {231, vk::RWin},
};

// The keypad with NumLock off, 1 to 9 then 0: the navigation keys printed on it.
constexpr int kKeypadNavigation[] = {vk::End,   vk::Down, vk::Next, vk::Left,  vk::Clear,
                                     vk::Right, vk::Home, vk::Up,   vk::Prior, vk::Insert};

}  // namespace

int VirtualKeyForScancode(int usb, bool numLock) {
  if (usb >= kUsbA && usb <= kUsbZ) return vk::Letter('A') + (usb - kUsbA);
  if (usb >= kUsb1 && usb <= kUsb9) return vk::Digit('1') + (usb - kUsb1);
  if (usb == kUsb0) return vk::Digit('0');
  if (usb >= kUsbF1 && usb <= kUsbF12) return vk::Function(1 + usb - kUsbF1);
  if (usb >= kUsbF13 && usb <= kUsbF24) return vk::Function(13 + usb - kUsbF13);
  if (usb >= kUsbKeypad1 && usb <= kUsbKeypad0) {
    const int index = usb - kUsbKeypad1;  // 0..8 for 1..9, 9 for 0
    if (!numLock) return kKeypadNavigation[index];
    return vk::Numpad(index == 9 ? 0 : index + 1);
  }
  if (usb == kUsbKeypadPoint) return numLock ? vk::Decimal : vk::Delete;
  for (const Pair& p : kFixed) {
    if (p.usb == usb) return p.vk;
  }
  return 0;
}

int ModifierBits(bool shift, bool ctrl, bool alt) {
  return (shift ? kShiftMask : 0) | (ctrl ? kCtrlMask : 0) | (alt ? kAltMask : 0);
}

}  // namespace host::sdl
