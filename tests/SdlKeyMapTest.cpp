// The SDL back end's key table: USB key positions to the virtual-key codes the game reads.
#include <gtest/gtest.h>

#include "host/Keys.h"
#include "host/sdl/KeyMap.h"

namespace {

using host::sdl::ModifierBits;
using host::sdl::VirtualKeyForScancode;
namespace vk = host::vk;

// USB HID usages of the keys under test.
constexpr int kA = 4, k1 = 30, k0 = 39, kEnter = 40, kEsc = 41, kBackspace = 42, kTab = 43,
              kSpace = 44, kF1 = 58, kF12 = 69, kInsert = 73, kHome = 74, kPageUp = 75,
              kDelete = 76, kEnd = 77, kPageDown = 78, kRight = 79, kLeft = 80, kDown = 81,
              kUp = 82, kKpDivide = 84, kKpMultiply = 85, kKpMinus = 86, kKpPlus = 87,
              kKpEnter = 88, kKp1 = 89, kKp0 = 98, kKpPoint = 99, kLCtrl = 224, kLShift = 225,
              kLAlt = 226, kLGui = 227, kRCtrl = 228, kRShift = 229, kRAlt = 230, kRGui = 231;

TEST(SdlKeyMap, LettersDigitsAndFunctionKeysAreContiguous) {
  for (int i = 0; i < 26; ++i) EXPECT_EQ(VirtualKeyForScancode(kA + i, false), 'A' + i);
  EXPECT_EQ(VirtualKeyForScancode(kA + 25, true), 'Z');
  for (int d = 1; d <= 9; ++d) EXPECT_EQ(VirtualKeyForScancode(k1 + d - 1, false), '0' + d);
  EXPECT_EQ(VirtualKeyForScancode(k0, false), '0');
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(VirtualKeyForScancode(kF1 + n - 1, false), vk::Function(n)) << "F" << n;
  }
  EXPECT_EQ(VirtualKeyForScancode(kF12, false), 123);
}

// Keys whose code does not depend on NumLock, including both sides of each modifier.
TEST(SdlKeyMap, EditingNavigationModifierAndKeypadOperatorKeys) {
  const std::pair<int, int> table[] = {
      {kEnter, 13},       {kEsc, 27},       {kBackspace, 8}, {kTab, 9},      {kSpace, 32},
      {kInsert, 45},      {kDelete, 46},    {kHome, 36},     {kEnd, 35},     {kPageUp, 33},
      {kPageDown, 34},    {kLeft, 37},      {kUp, 38},       {kRight, 39},   {kDown, 40},
      {kLShift, 16},      {kRShift, 16},    {kLCtrl, 17},    {kRCtrl, 17},   {kLAlt, 18},
      {kRAlt, 18},        {kLGui, 91},      {kRGui, 92},     {kKpPlus, 107}, {kKpMinus, 109},
      {kKpMultiply, 106}, {kKpDivide, 111}, {kKpEnter, 13},
  };
  for (const auto& [usb, code] : table) {
    EXPECT_EQ(VirtualKeyForScancode(usb, false), code) << "usage " << usb;
    EXPECT_EQ(VirtualKeyForScancode(usb, true), code) << "usage " << usb << " with NumLock";
  }
}

TEST(SdlKeyMap, KeypadGivesDigitsWithNumLockAndNavigationWithout) {
  const int withoutNumLock[] = {35, 40, 34, 37, 12, 39, 36, 38, 33};  // keypad 1..9
  for (int d = 1; d <= 9; ++d) {
    EXPECT_EQ(VirtualKeyForScancode(kKp1 + d - 1, true), 96 + d) << "keypad " << d;
    EXPECT_EQ(VirtualKeyForScancode(kKp1 + d - 1, false), withoutNumLock[d - 1]) << "keypad " << d;
  }
  EXPECT_EQ(VirtualKeyForScancode(kKp0, true), 96);
  EXPECT_EQ(VirtualKeyForScancode(kKpPoint, true), 110);
  EXPECT_EQ(VirtualKeyForScancode(kKp0, false), vk::Insert);
  EXPECT_EQ(VirtualKeyForScancode(kKpPoint, false), vk::Delete);
}

TEST(SdlKeyMap, UnknownUsagesGiveNoCode) {
  for (int usb : {0, 1, 3, 102, 116, 200, 232, 255, 1000, -5}) {
    EXPECT_EQ(VirtualKeyForScancode(usb, false), 0) << "usage " << usb;
  }
}

TEST(SdlKeyMap, ModifierBitsCombine) {
  EXPECT_EQ(ModifierBits(false, false, false), 0);
  EXPECT_EQ(ModifierBits(true, false, false), host::kShiftMask);
  EXPECT_EQ(ModifierBits(false, true, false), host::kCtrlMask);
  EXPECT_EQ(ModifierBits(false, false, true), host::kAltMask);
  EXPECT_EQ(ModifierBits(true, true, true), 7);
}

}  // namespace
