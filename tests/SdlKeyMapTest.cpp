// The SDL back end's key table: USB key positions to the virtual-key codes the game reads.
#include <gtest/gtest.h>

#include "host/Keys.h"
#include "host/sdl/KeyMap.h"

namespace {

using host::sdl::ModifierBits;
using host::sdl::VirtualKeyForScancode;
namespace vk = host::vk;

// USB HID usages of the keys under test.
constexpr int kA = 4, kZ = 29, k1 = 30, k0 = 39, kEnter = 40, kEsc = 41, kBackspace = 42, kTab = 43,
              kSpace = 44, kF1 = 58, kF12 = 69, kInsert = 73, kHome = 74, kPageUp = 75,
              kDelete = 76, kEnd = 77, kPageDown = 78, kRight = 79, kLeft = 80, kDown = 81,
              kUp = 82, kKpDivide = 84, kKpMultiply = 85, kKpMinus = 86, kKpPlus = 87,
              kKpEnter = 88, kKp1 = 89, kKp9 = 97, kKp0 = 98, kKpPoint = 99, kLCtrl = 224,
              kLShift = 225, kLAlt = 226, kLGui = 227, kRCtrl = 228, kRShift = 229, kRAlt = 230,
              kRGui = 231;

TEST(SdlKeyMap, LettersDigitsAndFunctionKeysAreContiguous) {
  for (int i = 0; i < 26; ++i) EXPECT_EQ(VirtualKeyForScancode(kA + i, false), 'A' + i);
  EXPECT_EQ(VirtualKeyForScancode(kZ, true), 'Z');
  for (int d = 1; d <= 9; ++d) EXPECT_EQ(VirtualKeyForScancode(k1 + d - 1, false), '0' + d);
  EXPECT_EQ(VirtualKeyForScancode(k0, false), '0');
  for (int n = 1; n <= 12; ++n) {
    EXPECT_EQ(VirtualKeyForScancode(kF1 + n - 1, false), vk::Function(n)) << "F" << n;
  }
  EXPECT_EQ(VirtualKeyForScancode(kF12, false), 123);
}

TEST(SdlKeyMap, EditingAndNavigationKeys) {
  const std::pair<int, int> table[] = {
      {kEnter, 13},    {kEsc, 27},    {kBackspace, 8}, {kTab, 9},    {kSpace, 32},
      {kInsert, 45},   {kDelete, 46}, {kHome, 36},     {kEnd, 35},   {kPageUp, 33},
      {kPageDown, 34}, {kLeft, 37},   {kUp, 38},       {kRight, 39}, {kDown, 40},
  };
  for (const auto& [usb, code] : table) {
    EXPECT_EQ(VirtualKeyForScancode(usb, false), code) << "usage " << usb;
    EXPECT_EQ(VirtualKeyForScancode(usb, true), code) << "usage " << usb << " with NumLock";
  }
}

TEST(SdlKeyMap, ModifiersOnEitherSideAndTheWindowsKeys) {
  EXPECT_EQ(VirtualKeyForScancode(kLShift, false), vk::Shift);
  EXPECT_EQ(VirtualKeyForScancode(kRShift, false), vk::Shift);
  EXPECT_EQ(VirtualKeyForScancode(kLCtrl, false), vk::Control);
  EXPECT_EQ(VirtualKeyForScancode(kRCtrl, false), vk::Control);
  EXPECT_EQ(VirtualKeyForScancode(kLAlt, false), vk::Menu);
  EXPECT_EQ(VirtualKeyForScancode(kRAlt, false), vk::Menu);
  EXPECT_EQ(VirtualKeyForScancode(kLGui, false), 91);
  EXPECT_EQ(VirtualKeyForScancode(kRGui, false), 92);
}

TEST(SdlKeyMap, KeypadWithNumLockOnGivesDigitsAndDecimal) {
  for (int d = 1; d <= 9; ++d) {
    EXPECT_EQ(VirtualKeyForScancode(kKp1 + d - 1, true), 96 + d) << "keypad " << d;
  }
  EXPECT_EQ(VirtualKeyForScancode(kKp9, true), 105);
  EXPECT_EQ(VirtualKeyForScancode(kKp0, true), 96);
  EXPECT_EQ(VirtualKeyForScancode(kKpPoint, true), 110);
}

TEST(SdlKeyMap, KeypadWithNumLockOffGivesTheNavigationKeys) {
  const int expected[] = {35, 40, 34, 37, 12, 39, 36, 38, 33};  // keypad 1..9
  for (int d = 1; d <= 9; ++d) {
    EXPECT_EQ(VirtualKeyForScancode(kKp1 + d - 1, false), expected[d - 1]) << "keypad " << d;
  }
  EXPECT_EQ(VirtualKeyForScancode(kKp0, false), vk::Insert);
  EXPECT_EQ(VirtualKeyForScancode(kKpPoint, false), vk::Delete);
}

TEST(SdlKeyMap, KeypadOperatorsAndEnterIgnoreNumLock) {
  for (bool numLock : {false, true}) {
    EXPECT_EQ(VirtualKeyForScancode(kKpPlus, numLock), 107);
    EXPECT_EQ(VirtualKeyForScancode(kKpMinus, numLock), 109);
    EXPECT_EQ(VirtualKeyForScancode(kKpMultiply, numLock), 106);
    EXPECT_EQ(VirtualKeyForScancode(kKpDivide, numLock), 111);
    EXPECT_EQ(VirtualKeyForScancode(kKpEnter, numLock), vk::Return);
  }
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
