#pragma once
#include <SDL.h>

#include <memory>

#include "host/Surface.h"
#include "host/Window.h"
#include "host/sdl/Presenter.h"

namespace host::sdl {

// Where a window's pixels go. X11 (and the dummy driver of the tests) keeps an image of the
// window in memory shared with the X server; only the changed parts are scaled into it and
// sent, and no GL library is loaded. Where SDL keeps no such image (Wayland), the client
// lives in a texture that takes only the changed parts and SDL's renderer scales it.
class WindowOutput {
 public:
  virtual ~WindowOutput() = default;
  // Shows the canvas at `vp` inside its `frame` (drawn by the toolkit, as the headless back
  // end draws it): what changed since the last call, or everything with `whole` (the window
  // was exposed, resized, shown).
  virtual void Present(const Surface& canvas, const Viewport& vp, WindowFrame frame,
                       bool whole) = 0;
  // Gives back the memory of a window that is hidden for a while (the menu during a game);
  // the next present makes it anew.
  virtual void Release() {}
};

// The output that works for this window, or null (with SDL's error set) when none does.
std::unique_ptr<WindowOutput> MakeWindowOutput(SDL_Window* window);

}  // namespace host::sdl
