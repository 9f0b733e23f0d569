#pragma once
#include "host/Surface.h"
#include "host/Window.h"

namespace host::sdl {

// Window-system traffic made up by the program itself, for tests that drive the real back
// end with nobody at the keyboard (under SDL's dummy video driver). `window` must be a
// window of the SDL back end. The events queue up as if the window system had sent them.
void PushKey(Window& window, int usbScancode, bool down, bool withShift = false);
void PushFocus(Window& window, bool gained);

// What the window system was last handed to show of the whole window, as 0x00RRGGBB pixels.
Surface ShownPixels(Window& window);

}  // namespace host::sdl
