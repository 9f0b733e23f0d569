#pragma once

namespace host::sdl {

// The virtual-key code of the key at a USB HID usage (SDL scancodes use the same numbers),
// or 0 for a key the program has no code for. The keypad depends on NumLock as it does on
// Windows: digits and the decimal point with NumLock on, navigation keys with it off.
int VirtualKeyForScancode(int usbScancode, bool numLock);

// Modifier bits (host/Keys.h) from the three modifier states.
int ModifierBits(bool shift, bool ctrl, bool alt);

}  // namespace host::sdl
