// The SDL back end's keys: the keypad types digits with NumLock on and moves like the
// navigation keys with it off, as a PC keyboard's does; a key the game has no code for gives 0.
#include <gtest/gtest.h>

#include "host/Keys.h"
#include "host/sdl/KeyMap.h"

namespace {

namespace vk = host::vk;
using host::sdl::VirtualKeyForScancode;

TEST(SdlKeyMap, TheKeypadFollowsNumLock) {
  constexpr int kUsbKeypad1 = 89, kUsbKeypad5 = 93, kUsbKeypad0 = 98, kUsbKeypadPoint = 99;
  const struct {
    int usb, withNumLock, without;
  } keys[] = {{kUsbKeypad1, vk::Numpad(1), vk::End},
              {kUsbKeypad5, vk::Numpad(5), 12},
              {kUsbKeypad0, vk::Numpad(0), vk::Insert},
              {kUsbKeypadPoint, vk::Decimal, vk::Delete},
              {1000, 0, 0},
              {-5, 0, 0}};
  for (const auto& key : keys) {
    EXPECT_EQ(VirtualKeyForScancode(key.usb, true), key.withNumLock) << "usage " << key.usb;
    EXPECT_EQ(VirtualKeyForScancode(key.usb, false), key.without) << "usage " << key.usb;
  }
}

}  // namespace
